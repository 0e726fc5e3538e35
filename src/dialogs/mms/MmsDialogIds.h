// SPDX-License-Identifier: Apache-2.0
#pragma once

// Control ids of the MMS settings window (dialog template 130), kept as the
// camera tool numbered them so the layout reads like the original template.
namespace kestra::mms_ids {

inline constexpr int kTemplateId = 130;

// Mode, country and operator.
inline constexpr int kSettingsGroup = 1058;
inline constexpr int kModeLabel = 1039, kModeList = 1041;
inline constexpr int kCountryLabel = 1043, kCountryList = 1045;
inline constexpr int kOperatorLabel = 1044, kOperatorList = 1046;

// Pictures per day and SMS control.
inline constexpr int kPicturesLabel = 1059, kPicturesField = 1074, kPicturesNote = 1075;
inline constexpr int kSmsControlLabel = 1129, kSmsControlList = 1134;

// MMS connection parameters.
inline constexpr int kParametersGroup = 1153;
inline constexpr int kUrlLabel = 1047, kUrlField = 1002;
inline constexpr int kApnField = 1003; // its label "APN" has no id: the same in every language
inline constexpr int kGatewayLabel = 1048, kGatewayField = 1004;
inline constexpr int kPortLabel = 1049, kPortField = 1005;
inline constexpr int kAccountLabel = 1052, kAccountField = 1008;
inline constexpr int kPasswordLabel = 1053, kPasswordField = 1009;

// Recipients.
inline constexpr int kUserGroup = 1154;
inline constexpr int kPhoneLabel = 1050, kPhoneField = 1006;
inline constexpr int kEmailLabel = 1051, kEmailField = 1007;
inline constexpr int kPhone2Label = 1054, kPhone2Field = 1010;

// Loading, output folder and buttons (Save is IDOK 1, Exit is IDCANCEL 2).
inline constexpr int kLoadButton = 1149, kLoadPathField = 1148;
inline constexpr int kSelectButton = 1057, kFolderField = 1012;
inline constexpr int kSaveButton = 1, kExitButton = 2;

} // namespace kestra::mms_ids
