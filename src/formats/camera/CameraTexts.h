// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>
#include <QStringList>

namespace kestra {

// Every text of the Camera settings window, per interface language
// (g_languageIndex, 1 Chinese to 11 Lithuanian; an index outside 1..11 gets the
// English texts). The tables live in CameraTexts.cpp; nothing here knows about
// widgets, so the command line can print the same entries the window offers.

// Labels, group titles and buttons. Several controls can share one text (the
// five hour units, the two work-hour groups).
enum class CameraLabel {
    ModeLabel,
    VideoSizeLabel,
    TimeStampLabel,
    BeepSoundLabel,
    PirIntervalLabel,
    ImageSizeLabel,
    PictureNoLabel,
    SenseLevelLabel,
    VideoLengthLabel,
    SdCycleLabel,
    IrLightLabel,
    MmsStatusLabel,
    ClockGroup,
    ClockLabel,
    SyncTimeButton,
    WorkHourGroup,
    Timer1Label,
    Timer2Label,
    Timer1StartLabel,
    Timer1StopLabel,
    Timer2StartLabel,
    Timer2StopLabel,
    HourUnit,
    MinuteUnit,
    SecondUnit,
    SerialLabel,
    TimeLapseLabel,
    SelectButton,
    SaveButton,
    DefaultButton,
    ExitButton,
};
inline constexpr int kCameraLabelCount = static_cast<int>(CameraLabel::ExitButton) + 1;

// The twenty option lists of the window, one per list control. Entry positions
// (and so the stored values) are the same in every language.
enum class CameraList {
    Mode,
    ImageSize,
    VideoSize,
    PictureNo,
    TimeStamp,
    SenseLevel,
    BeepSound,
    VideoLength,
    PirInterval,
    SdCycle,
    IrLight,
    MmsStatus,
    Timer1,
    Timer2,
    SerialNo,
    SerialChar1,
    SerialChar2,
    SerialChar3,
    SerialChar4,
    TimeLapse,
};
inline constexpr int kCameraListCount = static_cast<int>(CameraList::TimeLapse) + 1;

// The language whose tables `language` reads: itself for 1..11, else English.
int CameraTextLanguage(int language);

// The text of the window template (dialog 129) for a label or button: what a
// control shows when a language sets nothing for it.
const char* CameraTemplateText(CameraLabel label);

// The language's own text for the control, or nullptr when the language leaves
// the template text in place (the unit labels outside Chinese and Japanese, the
// timer 2 start and stop labels in Lithuanian).
const char* CameraLanguageText(int language, CameraLabel label);

// What the control shows in `language`: its own text or the template's.
QString CameraLabelText(int language, CameraLabel label);

// The entries of a list in `language`, position 0 first.
QStringList CameraListEntries(int language, CameraList list);

// Confirmations of Save and Default: Chinese for language 1, English otherwise.
QString CameraSavedMessage(int language);
QString CameraDefaultSavedMessage(int language);

} // namespace kestra
