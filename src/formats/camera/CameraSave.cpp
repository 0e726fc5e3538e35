// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSave.h"

#include "formats/shared/RecordRefusal.h"
#include "storage/SettingsFinding.h"

namespace kestra {

template <> struct RecordCheck<CameraSettings> {
    static Checked<CameraSettings> Pass(CameraSettings record) { return Checked<CameraSettings>(std::move(record)); }
};

SaveDecision<CameraSettings> PrepareCameraSave(const CameraChoices& shown, const PcClock& clock, const Session& session)
{
    CameraSettings record = FillCameraSettings(shown, clock, session.languageCode, session.tvMode);
    if (const SettingsFindings findings = CheckCameraSettings(record); !findings.empty()) {
        // The camera's fields are lists and times: the offset says nothing
        // to a user, but the message has always carried it.
        return SaveDecision<CameraSettings>::Refused(findings.front().message(session.chineseMessages()),
                                                     findings.front().field);
    }
    return {RecordCheck<CameraSettings>::Pass(std::move(record)), std::nullopt};
}

} // namespace kestra
