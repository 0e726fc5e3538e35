// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "formats/camera/CameraSettings.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"

#include <optional>

namespace kestra {

// What a card gets: the record of each settings file the profile holds, each
// already through its window's save checks. The camera record's clock and
// serial text are set anew for every card it is written to.
struct CardProfile {
    std::optional<CameraSettings> camera;
    std::optional<MmsSettings> mms;
    std::optional<GprsSettings> gprs;
    std::optional<SmsSettings> sms;

    bool empty() const { return !camera && !mms && !gprs && !sms; }
};

} // namespace kestra
