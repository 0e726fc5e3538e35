// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/mms/MmsSettings.h"
#include "formats/shared/RecordRefusal.h"

namespace kestra {

// The record the MMS window holds when it opens: preset mode, country 4 (China) and
// its first operator with that preset's six parameter texts, SMS control Off (5),
// pictures per day 0, empty phone/email/phone2, languageCode and tvMode from the session.
MmsSettings InitialMmsSettings(const Session& session);

// What OK decides: the twelve checks in order and the SMS control check, on the record
// as the window shows it (mode from presetFlag: 1 preset, 0 custom), with the
// messages in the session's language; then the steps after the checks (in the preset
// mode the catalogue preset of the country and operator overwrites the six parameter
// texts; languageCode and tvMode from the session). Either the record to write or the refusal.
//
// A refusal names the field it concerns in `field` (a name of kMmsTextFields,
// "phone" for the SMS control check) so the window can put the focus there.
// A record that passes the checks but that the camera could not take (a
// value outside its range, a country or operator the catalogue lacks, an
// over-long text) is refused with the first of CheckMmsSettings' findings,
// naming its field by the window's label.
SaveDecision<MmsSettings> PrepareMmsSave(const MmsSettings& shown, const Session& session);
// The same for a door that names the fields its own way: as `naming` does
// (the command line by the option, a profile by its key), else by the label.
SaveDecision<MmsSettings> PrepareNamedMmsSave(const MmsSettings& shown, const Session& session,
                                              const FieldNaming& naming);

// The MMS window's label of a record field (English, or Chinese with
// `chinese`); empty for a field the window shows no label for.
QString MmsWindowFieldName(const QString& field, bool chinese);

// Overwrites the six parameter texts with the catalogue preset of `country`
// and `slot` (empty texts for a slot without operator).
void ApplyMmsPreset(MmsSettings& settings, int country, int slot);

} // namespace kestra
