// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/shared/SettingsValues.h"

#include <QStringList>

namespace kestra {

// The six entries of the SMS control list of the SMTP and SMS windows in
// `language`: "On", four intervals, then the language's own word for off.
// Positions are the stored values. (The MMS window has a list of its own
// words, MmsSmsControlEntries.)
QStringList SmsControlEntries(int language);

} // namespace kestra
