// SPDX-License-Identifier: Apache-2.0
#include "cli/WindowsConsole.h"

#ifdef _WIN32
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <cstdio>
#endif

namespace kestra::cli {

#ifdef _WIN32

namespace {

bool LeadsSomewhere(DWORD stream)
{
    const HANDLE handle = GetStdHandle(stream);
    return handle != nullptr && handle != INVALID_HANDLE_VALUE && GetFileType(handle) != FILE_TYPE_UNKNOWN;
}

} // namespace

void AttachToParentConsole()
{
    const bool output = LeadsSomewhere(STD_OUTPUT_HANDLE);
    const bool errors = LeadsSomewhere(STD_ERROR_HANDLE);
    if ((output && errors) || !AttachConsole(ATTACH_PARENT_PROCESS))
        return;
    if (!output && std::freopen("CONOUT$", "w", stdout) == nullptr)
        return;
    if (!errors)
        std::freopen("CONOUT$", "w", stderr);
}

#else

void AttachToParentConsole() {}

#endif

} // namespace kestra::cli
