// SPDX-License-Identifier: Apache-2.0
#pragma once

// Control ids of the GPRS/SMTP settings window (dialog template 147), kept as
// the camera tool numbered them.
namespace kestra::smtp_ids {

inline constexpr int kTemplateId = 147;

// GPRS mode, country and operator.
inline constexpr int kModeGroup = 1094, kModeLabel = 1086, kModeList = 1087;
inline constexpr int kPresetGroup = 1096, kCountryLabel = 1091, kCountryList = 1088;
inline constexpr int kOperatorLabel = 1092, kOperatorList = 1093;

// Pictures per day.
inline constexpr int kPicturesGroup = 1095, kPicturesLabel = 1089, kPicturesField = 1002, kPicturesNote = 1090;

// GPRS access.
inline constexpr int kGprsGroup = 1107;
inline constexpr int kApnLabel = 1097, kApnField = 1003;
inline constexpr int kAccountLabel = 1098, kAccountField = 1004;
inline constexpr int kGprsPasswordLabel = 1099, kGprsPasswordField = 1005;

// SMTP sender.
inline constexpr int kSenderGroup = 1104;
inline constexpr int kServerLabel = 1100, kServerField = 1006;
inline constexpr int kPortLabel = 1101, kPortField = 1007;
inline constexpr int kSenderLabel = 1103, kSenderField = 1009;
inline constexpr int kSenderPasswordLabel = 1102, kSenderPasswordField = 1008;

// SMS control.
inline constexpr int kSmsControlGroup = 1142, kSmsControlLabel = 1132, kSmsControlList = 1135;
inline constexpr int kPhoneLabel = 1114, kPhoneField = 1113;

// Recipient.
inline constexpr int kRecipientGroup = 1105, kRecipientLabel = 1106, kRecipientField = 1012;

// Load configure, folder and buttons. Save is not IDOK: Enter saves nothing.
inline constexpr int kLoadButton = 1149, kLoadedPathField = 1018;
inline constexpr int kSelectButton = 1111, kFolderField = 1017;
inline constexpr int kSaveButton = 1112, kExitButton = 2;

} // namespace kestra::smtp_ids
