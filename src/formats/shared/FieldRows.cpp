// SPDX-License-Identifier: Apache-2.0
#include "formats/shared/FieldRows.h"

#include <QList>

#include <algorithm>

namespace kestra {

namespace {

bool IsDigit(char c)
{
    return c >= '0' && c <= '9';
}

// Decimal digits only, at most `digits` of them, standing for a number from
// `low` to `high`.
bool IsNumberWithin(QByteArrayView text, qsizetype digits, int low, int high)
{
    if (text.isEmpty() || text.size() > digits || !std::all_of(text.begin(), text.end(), IsDigit))
        return false;
    int value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return value >= low && value <= high;
}

bool IsPort(const QByteArray& text)
{
    // Read as a decimal number, as the camera reads it: "0025" is the port 25.
    QByteArrayView digits(text);
    while (digits.size() > 1 && digits.front() == '0')
        digits = digits.sliced(1);
    return std::all_of(text.begin(), text.end(), IsDigit) && IsNumberWithin(digits, 5, kLowestPort, kHighestPort);
}

bool IsIpv4(const QByteArray& text)
{
    const QList<QByteArray> parts = text.split('.');
    return parts.size() == 4 && std::all_of(parts.begin(), parts.end(), [](const QByteArray& part) {
               return IsNumberWithin(part, 3, 0, 255);
           });
}

} // namespace

qsizetype FirstControlCharacter(const QByteArray& text)
{
    const auto at = std::find_if(text.begin(), text.end(), [](char c) {
        const auto byte = static_cast<unsigned char>(c);
        return byte < 0x20 || byte == 0x7F;
    });
    return at == text.end() ? -1 : at - text.begin();
}

bool FitsTextForm(TextForm form, const QByteArray& text)
{
    if (text.isEmpty())
        return true;
    switch (form) {
    case TextForm::Any:
        return true;
    case TextForm::Port:
        return IsPort(text);
    case TextForm::Ipv4:
        return IsIpv4(text);
    case TextForm::Mailbox:
        return !text.startsWith('@');
    }
    return true;
}

bool AddressHasBothParts(const QByteArray& address)
{
    const qsizetype at = address.indexOf('@');
    return at < 0 || (at > 0 && at + 1 < address.size());
}

} // namespace kestra
