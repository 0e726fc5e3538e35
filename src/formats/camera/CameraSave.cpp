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
    return CheckNamingFields(FillCameraSettings(shown, clock, session.languageCode, session.tvMode),
                             session.chineseMessages(), CheckCameraRecord, CheckCameraSettings, naming);
}

} // namespace kestra
