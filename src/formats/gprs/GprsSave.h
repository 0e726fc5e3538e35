// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/shared/RecordRefusal.h"

namespace kestra {

// The record the SMTP window holds when it opens: Auto mode, China and its
// first operator with that operator's preset filled in, SMS control Off (5),
// pictures per day 0, empty sender, recipient and phone texts; languageCode
// from the session.
GprsSettings InitialGprsSettings(const Session& session);

// The three GPRS texts of a country's operator, as gprs.dat carries them.
// Out-of-range indexes give empty texts.
void FillGprsPreset(GprsSettings& settings, int country, int slot);

// What Save decides for the record as the window shows it (mode in
// settings.mode): in Auto mode the operator's preset is copied over the three
// GPRS texts first (whatever the fields show); then the nine checks run in
// order, and the first that fails gives its message in the session's
// language. The record to write carries the session's languageCode.
//
// The window empties its own three GPRS values once the file is written in
// Auto mode (the next save takes the preset again); the record returned here
// keeps them, so the file holds the operator's access data.
//
// Then the record must be one the camera can hold (CheckGprsSettings: texts
// within their limits, indexes in the catalogue): the first finding refuses,
// naming its field by the window's label. This is the one check every door
// of gprs.dat passes: only it makes a Checked<GprsSettings>.
SaveDecision<GprsSettings> PrepareGprsSave(const GprsSettings& shown, const Session& session);
// The same for a door that names the fields its own way: as `naming` does
// (the command line by the option, a profile by its key), else by the label.
SaveDecision<GprsSettings> PrepareNamedGprsSave(const GprsSettings& shown, const Session& session,
                                                const FieldNaming& naming);

// The SMTP window's label of a record field (English, or Chinese with
// `chinese`); empty for a field the window shows no label for.
QString GprsWindowFieldName(const QString& field, bool chinese);

// The check of the mail test: the values the test uses (the SMTP server and
// port, the sender's address and password and, with `send`, the recipient)
// pass the same checks as a Save, in the same words; the values it does not
// use cannot refuse it. The checked record has China's first operator in
// Auto mode, SMS control off, no phone, no picture limit and, without `send`,
// kMailTestNoRecipient as the recipient.
inline constexpr const char* kMailTestNoRecipient = "nobody@invalid.";
SaveDecision<GprsSettings> PrepareMailTestValues(const GprsSettings& shown, bool send, const Session& session);
// The same naming the fields as `naming` does (the command line's options).
SaveDecision<GprsSettings> PrepareNamedMailTestValues(const GprsSettings& shown, bool send, const Session& session,
                                                      const FieldNaming& naming);

} // namespace kestra
