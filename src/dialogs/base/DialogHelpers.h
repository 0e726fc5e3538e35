// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

namespace kestra {

namespace ui {
class CDataExchange;
}

// "Please enter an integer between %d and %d!", or its Chinese form.
QString RangeMessage(bool chinese, int minValue, int maxValue);

// The settings windows' own range check, run right after the integer exchange
// of the field it checks: outside [minValue, maxValue] it shows the range
// message in the window's message language in the tool's message box and
// fails the exchange.
void DDV_IntRange(ui::CDataExchange* pDX, int value, int minValue, int maxValue);

} // namespace kestra
