// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSave.h"

namespace kestra {

SaveDecision<CameraSettings> PrepareCameraSave(const CameraChoices& shown, const PcClock& clock, const Session& session)
{
    return CheckCameraRecord(FillCameraSettings(shown, clock, session.languageCode, session.tvMode),
                             session.chineseMessages());
}

SaveDecision<CameraSettings> PrepareNamedCameraSave(const CameraChoices& shown, const PcClock& clock,
                                                    const Session& session, const FieldNaming& naming)
{
    const CameraSettings record = FillCameraSettings(shown, clock, session.languageCode, session.tvMode);
    const bool chinese = session.chineseMessages();
    if (const SettingsFindings findings = CheckCameraSettings(record); !findings.empty())
        return RefusalOf<CameraSettings>(findings, chinese, naming);
    return CheckCameraRecord(record, chinese);
}

} // namespace kestra
