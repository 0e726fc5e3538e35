#include "app/AppState.h"
#include "app/PcClock.h"
#include "camera/CameraChoices.h"

namespace kestra {

// Kept apart from CameraChoices.cpp so that code filling records from explicit
// values (the command line, the tests) does not pull in the shell's state.
CameraSettings FillCameraSettingsFromState(const CameraChoices& choices)
{
    return FillCameraSettings(choices, g_pcClock, CameraLanguageCode(), g_tvMode);
}

} // namespace kestra
