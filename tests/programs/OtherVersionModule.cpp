// SPDX-License-Identifier: Apache-2.0
// A module as another build of Kestra Setup would make it: every entry the
// programs load, under another version. The loader must refuse it by its
// version; an entry called anyway says so and ends the run with 3.
#include <QtGlobal>

#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void Called()
{
    std::fputs("kestra test: an entry of another build was called\n", stderr);
    std::exit(3);
}

} // namespace

extern "C" Q_DECL_EXPORT const char* KestraModuleVersion()
{
    return "0.0.1-other";
}

extern "C" Q_DECL_EXPORT void KestraRunMailTest()
{
    Called();
}

extern "C" Q_DECL_EXPORT void KestraSystemDrives()
{
    Called();
}
