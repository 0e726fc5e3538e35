// SPDX-License-Identifier: Apache-2.0
#include "formats/camera/CameraSave.h"

#include "formats/camera/CameraFields.h"
#include "formats/camera/CameraTexts.h"
#include "formats/shared/FieldRows.h"

#include <array>
#include <string_view>

namespace kestra {

namespace {

// The window's label of each key's fields: a list, a time or the clock.
struct WindowWords {
    const char* key;
    CameraLabel label;
};
constexpr std::array<WindowWords, 23> kWindowWords{{
    {"mode", CameraLabel::ModeLabel},
    {"image-size", CameraLabel::ImageSizeLabel},
    {"video-size", CameraLabel::VideoSizeLabel},
    {"pictures", CameraLabel::PictureNoLabel},
    {"video-length", CameraLabel::VideoLengthLabel},
    {"time-stamp", CameraLabel::TimeStampLabel},
    {"pir", CameraLabel::PirIntervalLabel},
    {"sense-level", CameraLabel::SenseLevelLabel},
    {"timer1", CameraLabel::Timer1Label},
    {"beep", CameraLabel::BeepSoundLabel},
    {"time-lapse", CameraLabel::TimeLapseLabel},
    {"time-lapse-period", CameraLabel::TimeLapseLabel},
    {"clock", CameraLabel::ClockLabel},
    {"timer1-start", CameraLabel::Timer1StartLabel},
    {"timer1-stop", CameraLabel::Timer1StopLabel},
    {"serial", CameraLabel::SerialLabel},
    {"serial-text", CameraLabel::SerialLabel},
    {"timer2", CameraLabel::Timer2Label},
    {"timer2-start", CameraLabel::Timer2StartLabel},
    {"timer2-stop", CameraLabel::Timer2StopLabel},
    {"sd-cycle", CameraLabel::SdCycleLabel},
    {"ir-light", CameraLabel::IrLightLabel},
    {"mms-status", CameraLabel::MmsStatusLabel},
}};

// Every key of the table is a key of the rows.
constexpr bool EveryWindowKeyIsARowKey()
{
    for (const WindowWords& words : kWindowWords) {
        bool found = false;
        for (const CameraField& field : kCameraFields)
            found = found || std::string_view(field.key) == words.key;
        if (!found)
            return false;
    }
    return true;
}
static_assert(EveryWindowKeyIsARowKey(), "the camera window's labels name keys of kCameraFields");

} // namespace

QString CameraWindowFieldName(const QString& field, bool chinese)
{
    const CameraField* row = FindField(kCameraFields, field);
    if (row == nullptr)
        return {};
    for (const WindowWords& words : kWindowWords) {
        if (std::string_view(row->key) == words.key)
            return CameraLabelText(chinese ? kLanguageChinese : kLanguageEnglish, words.label);
    }
    return {};
}

SaveDecision<CameraSettings> PrepareCameraSave(const CameraChoices& shown, const PcClock& clock, const Session& session)
{
    return PrepareNamedCameraSave(shown, clock, session, {});
}

SaveDecision<CameraSettings> PrepareNamedCameraSave(const CameraChoices& shown, const PcClock& clock,
                                                    const Session& session, const FieldNaming& naming)
{
    const CameraSettings record = FillCameraSettings(shown, clock, session.languageCode, session.tvMode);
    const bool chinese = session.chineseMessages();
    if (const SettingsFindings findings = CheckCameraSettings(record); !findings.empty())
        return RefusalOf<CameraSettings>(findings, chinese, naming, [chinese](const QString& field) {
            return CameraWindowFieldName(field, chinese);
        });
    return CheckCameraRecord(record, chinese);
}

} // namespace kestra
