// SPDX-License-Identifier: Apache-2.0
#include "app/ShellTexts.h"

#include "common/LanguageNames.h"

#include <array>

// clang-format off
namespace kestra {

const TextTable kCameraButtonText{
    .english = "Camera Setting",
    .chinese = "相机设置",
    .german = "Kamera Installation",
    .finnish = "kamera-asetukset",
    .italian = "Setup camera",
    .french = "Reglage camera",
    .hungarian = "Kamera beallita",
    .slovenian = "Nast. kamere",
    .czech = "Nastaveni",
    .japanese = "本体設定",
    // The leading space is how the Lithuanian text has always looked.
    .lithuanian = " Kameros nustat.",
};

const TextTable kMmsButtonText{
    .english = "MMS Setting",
    .chinese = "彩信设置",
    .german = "MMS Installation",
    .finnish = "MMS valikot",
    .italian = "impost. MMS",
    .french = "Reglage MMS",
    .hungarian = "MMS beol.",
    .slovenian = "Nastavi MMS",
    .czech = "Nastaveni MMS",
    .japanese = "MMS設定",
    .lithuanian = "MMS nustat.",
};

const TextTable kSmtpButtonText{
    .english = "GPRS Setting",
    .chinese = "GPRS设置",
    .slovenian = "SMTP nastavitve",
    .czech = "Nastaveni Smtp",
    .japanese = "SMTP設定",
    .lithuanian = "Smtp nustat.",
};

const TextTable kSmsButtonText{
    .english = "SMS Setting",
    .chinese = "短信设置",
    .slovenian = "SMS nastavitve",
};

const TextTable kLanguageLabelText{
    .english = "Select Language",
    .chinese = "选择语言",
    .czech = "Zvolit Jazyk",
};

const TextTable kModelLabelText{
    .english = "Camera Model",
    .chinese = "机器型号",
    .slovenian = "Model Kamera",
    .czech = "Fotopast Model",
};

const TextTable kVersionLineText{
    .english = "Version:1.0.002",
    .chinese = "程序版本:1.0.002",
};

const TextTable kChineseEntryText{
    .english = "Chinese",
    .chinese = kChineseOwnName,
};

const TextTable kLanguageMenuTitle{
    // Each language's own word, with the English one beside it for whoever
    // is looking for their way out of a language they cannot read.
    .english = "Language",
    .chinese = "语言 (Language)",
    .german = "Sprache (Language)",
    .finnish = "Kieli (Language)",
    .italian = "Lingua (Language)",
    .french = "Langue (Language)",
    .hungarian = "Nyelv (Language)",
    .slovenian = "Jezik (Language)",
    .czech = "Jazyk (Language)",
    .japanese = "言語 (Language)",
    .lithuanian = "Kalba (Language)",
};

namespace {

const std::array kMainWindowTexts{
    ControlText{MainControl::CameraButton, &kCameraButtonText},
    ControlText{MainControl::MmsButton, &kMmsButtonText},
    ControlText{MainControl::SmtpButton, &kSmtpButtonText},
    ControlText{MainControl::SmsButton, &kSmsButtonText},
    ControlText{MainControl::VersionLine, &kVersionLineText},
    ControlText{MainControl::LanguageLabel, &kLanguageLabelText},
    ControlText{MainControl::ModelLabel, &kModelLabelText},
};

const std::array kAllTables{
    &kCameraButtonText, &kMmsButtonText, &kSmtpButtonText, &kSmsButtonText,
    &kLanguageLabelText, &kModelLabelText, &kVersionLineText, &kChineseEntryText, &kLanguageMenuTitle,
};

} // namespace

std::span<const ControlText> MainWindowTexts()
{
    return kMainWindowTexts;
}

std::span<const TextTable* const> ShellTextTables()
{
    return kAllTables;
}

// clang-format on
} // namespace kestra
