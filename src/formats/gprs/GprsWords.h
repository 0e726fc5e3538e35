// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/shared/SettingWords.h"

#include <QString>

namespace kestra {

// gprs.dat from words, the one reading of the command line's options and a
// profile's gprs section, over `shown` (the window's opening record, or a
// file's): the mode (its list's words, "auto" or "custom"), then in the Auto
// mode the country and operator by name or index and in the Customer mode the
// three GPRS texts, then every text, the pictures per day and the SMS control
// list's words; then the SMTP window's save step. A word that names no value,
// a key of the other mode, and the save step's refusal of a field a key
// gives, are refused naming the key as `spelling` spells it.
SaveDecision<GprsSettings> PrepareGprsWords(GprsSettings shown, const SettingWords& words, const Session& session,
                                            const KeySpelling& spelling);

// The words that give `settings` back: the mode, the country and operator
// (Auto) or the GPRS texts (Customer), the other texts, the pictures per day
// and the SMS control entry, in English.
SettingWords GprsWordsOf(const GprsSettings& settings);

// The country and operator a word names (see FindMmsCountry).
int FindGprsCountry(const QString& key, const QString& word, bool chinese = false);
int FindGprsOperator(const QString& key, int country, const QString& word, bool chinese = false);

// The operator name the window shows in `languageIndex`.
QString GprsOperatorShownName(int country, int slot, int languageIndex);

} // namespace kestra
