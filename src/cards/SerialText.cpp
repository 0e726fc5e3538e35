// SPDX-License-Identifier: Apache-2.0
#include "cards/SerialText.h"

namespace kestra {

namespace {

constexpr int kSymbols = 36;
constexpr long long kSerialCount = static_cast<long long>(kSymbols) * kSymbols * kSymbols * kSymbols;

QChar Symbol(int position)
{
    return position < 10 ? QChar(u'0' + position) : QChar(u'A' + (position - 10));
}

long long Ordinal(const std::array<int, 4>& positions)
{
    long long ordinal = 0;
    for (int position : positions)
        ordinal = ordinal * kSymbols + position;
    return ordinal;
}

} // namespace

std::optional<SerialText> SerialText::Parse(const QString& text)
{
    const QString upper = text.trimmed().toUpper();
    if (upper.size() != 4)
        return std::nullopt;
    SerialText serial;
    for (int i = 0; i < 4; ++i) {
        const char16_t c = upper.at(i).unicode();
        if (c >= u'0' && c <= u'9')
            serial.m_positions[static_cast<std::size_t>(i)] = c - u'0';
        else if (c >= u'A' && c <= u'Z')
            serial.m_positions[static_cast<std::size_t>(i)] = 10 + (c - u'A');
        else
            return std::nullopt;
    }
    return serial;
}

std::optional<SerialText> SerialText::next() const
{
    SerialText following = *this;
    for (int i = 3; i >= 0; --i) {
        int& position = following.m_positions[static_cast<std::size_t>(i)];
        if (++position < kSymbols)
            return following;
        position = 0;
    }
    return std::nullopt;
}

bool SerialText::roomFor(long long count) const
{
    return count >= 0 && count <= kSerialCount - Ordinal(m_positions);
}

QString SerialText::text() const
{
    QString text;
    for (int position : m_positions)
        text += Symbol(position);
    return text;
}

} // namespace kestra
