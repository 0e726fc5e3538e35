// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/mms/MmsSettings.h"
#include "formats/shared/SettingWords.h"

#include <QString>

namespace kestra {

// mms.dat from words, the one reading of the command line's options and a
// profile's mms section, over `shown` (the window's opening record, or a
// file's): the mode (its list's words, "preset" or "custom"), then in the
// preset mode the country and operator by name or index and in the custom
// mode the six texts of the preset, then every text, the pictures per day and
// the SMS control list's words; then the MMS window's save step. A word that
// names no value, a key of the other mode, and the save step's refusal of a
// field a key gives, are refused naming the key as `spelling` spells it.
SaveDecision<MmsSettings> PrepareMmsWords(MmsSettings shown, const SettingWords& words, const Session& session,
                                          const KeySpelling& spelling);

// The words that give `settings` back: the mode, then the country and
// operator (preset mode) or the preset's six texts (custom mode), the other
// texts, the pictures per day and the SMS control entry, in English.
SettingWords MmsWordsOf(const MmsSettings& settings);

// The country and operator a word names: a name as either country list, or
// the operator list of the window in English or Chinese, shows it (case and
// blanks aside), or the index stored in the file. Refused (WordRefusal)
// naming `key` and the command that lists the names.
int FindMmsCountry(const QString& key, const QString& word, bool chinese = false);
int FindMmsOperator(const QString& key, int country, const QString& word, bool chinese = false);

// The operator name the window shows in `languageIndex` (China's two
// operators have Chinese names in the Chinese interface).
QString MmsOperatorShownName(int country, int slot, int languageIndex);

} // namespace kestra
