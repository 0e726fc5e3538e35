// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/shared/RecordRefusal.h"
#include "formats/sms/SmsSettings.h"

namespace kestra {

// The record the SMS window holds when it opens: SMS control Off (5), pictures
// per day 0, no phone numbers; languageCode from the session.
SmsSettings InitialSmsSettings(const Session& session);

// What Save decides: the five phone checks in order (the first that fails
// gives its message in the session's language), then the session's
// languageCode on the record to write; then the record must be one the camera
// can hold (CheckSmsSettings), or its first finding refuses, naming its field
// by the window's label.
// This is the one check every door of sms.dat passes: only it makes a
// Checked<SmsSettings>.
SaveDecision<SmsSettings> PrepareSmsSave(const SmsSettings& shown, const Session& session);
// The same for a door that names the fields its own way: as `naming` does
// (the command line by the option, a profile by its key), else by the label.
SaveDecision<SmsSettings> PrepareNamedSmsSave(const SmsSettings& shown, const Session& session,
                                              const FieldNaming& naming);

// The SMS window's label of a record field (English, or Chinese with
// `chinese`); empty for a field the window shows no label for.
QString SmsWindowFieldName(const QString& field, bool chinese);

} // namespace kestra
