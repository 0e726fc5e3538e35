// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "formats/camera/CameraSettings.h"
#include "formats/gprs/GprsSettings.h"
#include "formats/mms/MmsSettings.h"
#include "formats/sms/SmsSettings.h"

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

} // namespace kestra
