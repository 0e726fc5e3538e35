#pragma once

namespace kestra {

namespace ui { class CDataExchange; }

// The settings windows' own range check, run right after the integer exchange
// of the field it checks: outside [minValue, maxValue] it shows "Please enter
// an integer between %d and %d!" (Chinese for language 1) in the tool's
// message box and fails the exchange.
void DDV_IntRange(ui::CDataExchange* pDX, int value, int minValue, int maxValue);

} // namespace kestra
