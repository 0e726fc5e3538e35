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
// session's language, naming its field as `naming` does (the door's option or
// key), else by the window's label. The window's own limits keep every value
// in range; the command line, whose --from file may hold anything, learns it
// here before any file is touched.
SaveDecision<CameraSettings> PrepareCameraSave(const CameraChoices& shown, const PcClock& clock,
                                               const Session& session);
// The same for a door that names the fields its own way.
SaveDecision<CameraSettings> PrepareNamedCameraSave(const CameraChoices& shown, const PcClock& clock,
                                                    const Session& session, const FieldNaming& naming);

// The Camera window's label of a record field (English, or Chinese with
// `chinese`); empty for a field the window shows no label for.
QString CameraWindowFieldName(const QString& field, bool chinese);

} // namespace kestra
