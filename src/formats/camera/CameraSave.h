// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/SaveDecision.h"
#include "common/Session.h"
#include "formats/camera/CameraChoices.h"
#include "formats/camera/CameraSettings.h"
#include "formats/shared/RecordRefusal.h"

namespace kestra {

// What Save decides for the choices as the window shows them: the record they
// stand for, with `clock` (the PC time, already limited to the camera's
// calendar) and the session's languageCode and tvMode; or, for a record the
// camera could not take (a list position or a time outside its range, a date
// the month does not have), the first of CheckCameraSettings' findings in the
// session's language, naming its field. The window's lists and number fields
// keep every value in range, so it names the field as the record check does;
// the command line, whose --from file may hold anything, learns it here
// before any file is touched.
SaveDecision<CameraSettings> PrepareCameraSave(const CameraChoices& shown, const PcClock& clock,
                                               const Session& session);
// The same for a door that names the fields its own way (the command line by
// the option, a profile by its key), without the file offset.
SaveDecision<CameraSettings> PrepareNamedCameraSave(const CameraChoices& shown, const PcClock& clock,
                                                    const Session& session, const FieldNaming& naming);

} // namespace kestra
