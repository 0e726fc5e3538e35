// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "common/Session.h"

namespace kestra {

// The PC time as the camera's clock: a year above 2031 becomes 2031, below
// 2010 becomes 2011; month, day and time stay as the PC gave them. The Camera
// window and the command line take their clock through this one rule.
PcClock ClampToCameraCalendar(int year, int month, int day, int hour, int minute, int second);

} // namespace kestra
