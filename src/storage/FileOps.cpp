// SPDX-License-Identifier: Apache-2.0
// What the POSIX and the Windows file operations share; each platform's calls
// are in PosixFileOps.cpp and WindowsFileOps.cpp, one of which the build takes.
#include "storage/FileOps.h"

#include <QtGlobal>

namespace kestra {

QString SystemErrorText(int systemError)
{
    if (systemError == kPagesKeptInMemory)
        return QStringLiteral("the system keeps the file in memory after being asked to drop it");
    return qt_error_string(systemError);
}

} // namespace kestra
