// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QString>

#include <array>
#include <optional>

namespace kestra {

// The camera's serial text: four characters, each 0 to 9 or A to Z, stored as
// list positions 0 to 35. A fleet of cameras counts through them place by
// place, the rightmost fastest: CAM9 is followed by CAMA, CAMZ by CAN0.
class SerialText {
public:
    // "cam1" reads as CAM1; anything but four characters 0-9/A-Z is no serial text.
    static std::optional<SerialText> Parse(const QString& text);

    // The serial text after this one; none after ZZZZ, where counting ends.
    std::optional<SerialText> next() const;
    // Whether `count` cards numbered from this one stay within ZZZZ.
    bool roomFor(long long count) const;

    const std::array<int, 4>& positions() const { return m_positions; }
    QString text() const;

    bool operator==(const SerialText&) const = default;

private:
    std::array<int, 4> m_positions{};
};

} // namespace kestra
