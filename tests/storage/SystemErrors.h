// SPDX-License-Identifier: Apache-2.0
#pragma once

// The system error numbers the fault tests hand to the save and the reader,
// in this platform's own terms: errno values, or Win32 error codes.

#include <QtGlobal>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <cerrno>
#endif

namespace kestra::test::sys {

#ifdef Q_OS_WIN
inline constexpr int kNoSpace = ERROR_DISK_FULL;
inline constexpr int kIoError = ERROR_IO_DEVICE;
inline constexpr int kDeviceGone = ERROR_DEVICE_NOT_CONNECTED;
inline constexpr int kReadOnlyMedium = ERROR_WRITE_PROTECT;
inline constexpr int kAccessDenied = ERROR_ACCESS_DENIED;
inline constexpr int kNoSuchPath = ERROR_PATH_NOT_FOUND;
inline constexpr int kBusy = ERROR_SHARING_VIOLATION;
inline constexpr int kInvalid = ERROR_INVALID_PARAMETER;
inline constexpr int kNoLocks = ERROR_NOT_SUPPORTED;
// Win32 file calls are never interrupted by signals.
inline constexpr bool kCallsCanBeInterrupted = false;
inline constexpr int kInterrupted = ERROR_OPERATION_ABORTED;
#else
inline constexpr int kNoSpace = ENOSPC;
inline constexpr int kIoError = EIO;
inline constexpr int kDeviceGone = ENXIO;
inline constexpr int kReadOnlyMedium = EROFS;
inline constexpr int kAccessDenied = EACCES;
inline constexpr int kNoSuchPath = ENOENT;
inline constexpr int kBusy = EBUSY;
inline constexpr int kInvalid = EINVAL;
inline constexpr int kNoLocks = ENOLCK;
inline constexpr bool kCallsCanBeInterrupted = true;
inline constexpr int kInterrupted = EINTR;
#endif

} // namespace kestra::test::sys
