// SPDX-License-Identifier: Apache-2.0
#pragma once

// Control ids of the SMS settings window (dialog template 155). They do not
// follow the screen order: 1004 is the second number and 1003 the third.
namespace kestra::sms_ids {

inline constexpr int kTemplateId = 155;

inline constexpr int kPicturesLabel = 1139, kPicturesField = 1140, kPicturesNote = 1141;
inline constexpr int kPhone1Label = 1136, kPhone1Field = 1002;
inline constexpr int kPhone2Label = 1137, kPhone2Field = 1004;
inline constexpr int kPhone3Label = 1138, kPhone3Field = 1003;
inline constexpr int kSmsControlLabel = 1142, kSmsControlList = 1144;

// Folder and buttons: Save is IDOK, so Enter saves.
inline constexpr int kSelectButton = 1145, kFolderField = 1146;
inline constexpr int kSaveButton = 1, kExitButton = 2;

} // namespace kestra::sms_ids
