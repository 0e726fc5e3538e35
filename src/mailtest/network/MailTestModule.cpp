// SPDX-License-Identifier: Apache-2.0
// The e-mail test module's only exported symbol: RunMailTest (mailtest/core/
// MailTest.cpp) loads the module and calls it.
#include "mailtest/network/MailTestSession.h"

#include <QtGlobal>

#include <type_traits>

extern "C" Q_DECL_EXPORT void KestraRunMailTest(const kestra::GprsSettings& settings,
                                                const kestra::MailTestOptions& options, kestra::MailTestReport& report)
{
    report = kestra::RunMailTestSession(settings, options);
}

// The loader calls through this type: a change of the signature that is not
// made on both sides fails here rather than at run time.
static_assert(std::is_same_v<decltype(&KestraRunMailTest), kestra::MailTestEntry>);
