// SPDX-License-Identifier: Apache-2.0
#pragma once

// Control ids of the Camera settings window (dialog template 129). The camera
// tool's ids are kept so the layout reads the same as the original template.
namespace kestra::camera_ids {

inline constexpr int kTemplateId = 129;

// Left column: labels and their lists.
inline constexpr int kModeLabel = 1004, kModeList = 1013;
inline constexpr int kImageSizeLabel = 1005, kImageSizeList = 1014;
inline constexpr int kVideoSizeLabel = 1006, kVideoSizeList = 1015;
inline constexpr int kPictureNoLabel = 1007, kPictureNoList = 1016;
inline constexpr int kVideoLengthLabel = 1008, kVideoLengthList = 1043;
inline constexpr int kPirIntervalLabel = 1009, kPirIntervalList = 1044;
inline constexpr int kSenseLevelLabel = 1010, kSenseLevelList = 1027;
inline constexpr int kTimeStampLabel = 1011, kTimeStampList = 1026;
inline constexpr int kBeepSoundLabel = 1012, kBeepSoundList = 1028;
inline constexpr int kSdCycleLabel = 1147, kSdCycleList = 1049;
inline constexpr int kIrLightLabel = 1148, kIrLightList = 1050;
inline constexpr int kMmsStatusLabel = 1149, kMmsStatusList = 1051;

// System clock group.
inline constexpr int kClockGroup = 1152, kClockLabel = 1018, kClockField = 1030, kSyncTimeButton = 1031;

// Work-hour timer 1 group.
inline constexpr int kTimer1Group = 1151, kTimer1Label = 1019, kTimer1List = 1025;
inline constexpr int kTimer1StartLabel = 1059, kTimer1StopLabel = 1060;
inline constexpr int kTimer1StartHour = 1017, kTimer1StartMinute = 1022;
inline constexpr int kTimer1StopHour = 1023, kTimer1StopMinute = 1024;

// Work-hour timer 2 group.
inline constexpr int kTimer2Group = 1150, kTimer2Label = 1041, kTimer2List = 1048;
inline constexpr int kTimer2StartLabel = 1061, kTimer2StopLabel = 1063;
inline constexpr int kTimer2StartHour = 1042, kTimer2StartMinute = 1045;
inline constexpr int kTimer2StopHour = 1046, kTimer2StopMinute = 1047;

// Unit labels after the number fields.
inline constexpr int kTimer1StartHourUnit = 1118, kTimer1StopHourUnit = 1119;
inline constexpr int kTimer2StartHourUnit = 1120, kTimer2StopHourUnit = 1121;
inline constexpr int kTimer1StartMinuteUnit = 1122, kTimer1StopMinuteUnit = 1123;
inline constexpr int kTimer2StartMinuteUnit = 1124, kTimer2StopMinuteUnit = 1125;
inline constexpr int kTimeLapseHourUnit = 1126, kTimeLapseMinuteUnit = 1127, kTimeLapseSecondUnit = 1128;

// Serial text.
inline constexpr int kSerialLabel = 1021, kSerialList = 1032;
inline constexpr int kSerialChar1 = 1034, kSerialChar2 = 1035, kSerialChar3 = 1036, kSerialChar4 = 1037;

// Time lapse.
inline constexpr int kTimeLapseLabel = 1020, kTimeLapseList = 1033;
inline constexpr int kTimeLapseHour = 1038, kTimeLapseMinute = 1039, kTimeLapseSecond = 1040;

// Output folder and buttons (Save is IDOK 1, Exit is IDCANCEL 2).
inline constexpr int kSelectButton = 1057, kFolderField = 1064;
inline constexpr int kSaveButton = 1, kDefaultButton = 1062, kExitButton = 2;

} // namespace kestra::camera_ids
