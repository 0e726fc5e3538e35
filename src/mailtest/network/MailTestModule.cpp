// SPDX-License-Identifier: Apache-2.0
// The e-mail test module's exports, its build's version and its entry:
// RunMailTest (mailtest/core/MailTest.cpp) loads the module and calls the entry.
#include "common/ProgramModules.h"
#include "mailtest/network/MailTestSession.h"

#include <QtGlobal>

#include <type_traits>

KESTRA_MODULE_VERSION_EXPORT

extern "C" Q_DECL_EXPORT void KestraRunMailTest(const kestra::GprsSettings& settings,
                                                const kestra::MailTestOptions& options, kestra::MailTestReport& report)
{
    report = kestra::RunMailTestSession(settings, options);
}

// The loader calls through this type: a change of the signature that is not
// made on both sides fails here rather than at run time.
static_assert(std::is_same_v<decltype(&KestraRunMailTest), kestra::MailTestEntry>);
