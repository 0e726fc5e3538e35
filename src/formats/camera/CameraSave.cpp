// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSave.h"

#include "storage/SettingsFinding.h"

namespace kestra {

SaveDecision<CameraSettings> PrepareCameraSave(const CameraChoices& shown, const PcClock& clock, const Session& session)
{
    SaveDecision<CameraSettings> decision{FillCameraSettings(shown, clock, session.languageCode, session.tvMode),
                                          std::nullopt};
    const SettingsFindings findings = CheckCameraSettings(decision.record);
    if (!findings.empty()) {
        decision.refusal = findings.front().message(session.chineseMessages());
        decision.field = findings.front().field;
    }
    return decision;
}

} // namespace kestra
