// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/camera/CameraSettings.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"

#include <QString>

#include <functional>
#include <optional>

namespace kestra {

// What a card gets: the record of each settings file the profile holds, each
// through its window's save check (so each is one the camera can hold). The
// camera record's clock and serial text are set anew, and checked again, for
// every card it is written to.
struct CardProfile {
    std::optional<Checked<CameraSettings>> camera;
    std::optional<Checked<MmsSettings>> mms;
    std::optional<Checked<GprsSettings>> gprs;
    std::optional<Checked<SmsSettings>> sms;

    bool empty() const { return !camera && !mms && !gprs && !sms; }
};

// A profile read from a card's folder or a saved profile file, or why not.
struct CardProfileRead {
    std::optional<CardProfile> profile;
    QString refusal;
};
// Reads the profile of `path`: a folder's settings files, or a profile file
// (JSON, as `card read` prints it); `languageCode` stands in where a profile
// names no language.
using CardProfileReader = std::function<CardProfileRead(const QString& path, int languageCode)>;

} // namespace kestra
