// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/gprs/GprsSettings.h"

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
SaveDecision<GprsSettings> PrepareGprsSave(const GprsSettings& shown, const Session& session);

} // namespace kestra
