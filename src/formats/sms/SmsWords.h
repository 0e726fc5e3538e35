// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/shared/SettingWords.h"
#include "formats/sms/SmsSettings.h"

namespace kestra {

// sms.dat from words, the one reading of the command line's options and a
// profile's sms section, over `shown` (the window's opening record, or a
// file's): the three phone numbers, the pictures per day and the SMS control
// list's words; then the SMS window's save step. A word that names no value,
// and the save step's refusal of a field a key gives, are refused naming the
// key as `spelling` spells it.
SaveDecision<SmsSettings> PrepareSmsWords(SmsSettings shown, const SettingWords& words, const Session& session,
                                          const KeySpelling& spelling);

// The words that give `settings` back, in English.
SettingWords SmsWordsOf(const SmsSettings& settings);

} // namespace kestra
