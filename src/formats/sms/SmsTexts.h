// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/TextTable.h"
#include "formats/shared/SmsControl.h"

#include <QString>
#include <QStringList>

namespace kestra {

// The texts of the SMS settings window. Labels and buttons exist in every interface language;
// messages and hints are Chinese for language 1 and English otherwise.

enum class SmsLabel {
    PicturesLabel,
    PicturesNote,
    Phone1Label,
    Phone2Label,
    Phone3Label,
    SmsControlLabel,
    SelectButton,
    SaveButton,
    ExitButton,
};
inline constexpr int kSmsLabelCount = static_cast<int>(SmsLabel::ExitButton) + 1;

const TextTable& SmsLabelTable(SmsLabel label);

// The save checks of the SMS window, in the order they run.
enum class SmsCheck {
    Phone1Length, // empty or shorter than 5 bytes
    Phone2Length, // 1 to 4 bytes
    Phone3Length, // 1 to 4 bytes
    Phone2Digits, // only "0" to "9" and "+"
    Phone1Digits,
};

QString SmsCheckMessage(SmsCheck check, bool chinese);
QString SmsSavedMessage(bool chinese);

enum class SmsHint { Phone1, SmsControl };

QString SmsHintText(SmsHint hint, bool chinese);

} // namespace kestra
