// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "mailtest/core/MailTest.h"

namespace kestra {

// The e-mail test itself, over QtNetwork, in this process: what RunMailTest
// runs once it has loaded the module (mailtest/core/MailTest.h says what the
// test does and reports).
MailTestReport RunMailTestSession(const GprsSettings& settings, const MailTestOptions& options = {});

} // namespace kestra
