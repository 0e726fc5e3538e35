// SPDX-License-Identifier: Apache-2.0
#include "storage/Cp936.h"

#include <iconv.h>

#include <cerrno>
#include <memory>

namespace kestra {

namespace {

// iconv descriptors are cheap enough to open per call, and per-call descriptors
// keep the converter free of shared state.
struct IconvCloser {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using IconvHandle = std::unique_ptr<void, IconvCloser>;

IconvHandle openConverter(const char* to, const char* from)
{
    iconv_t cd = iconv_open(to, from);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return IconvHandle(cd);
}

} // namespace

std::optional<QByteArray> EncodeCp936(const QString& text)
{
    bool ascii = true;
    for (QChar c : text) {
        if (c.unicode() >= 0x80) {
            ascii = false;
            break;
        }
    }
    if (ascii)
        return text.toLatin1();

    IconvHandle cd = openConverter("CP936", "UTF-8");
    if (!cd)
        return std::nullopt;
    QByteArray input = text.toUtf8();
    QByteArray output(input.size() * 2 + 4, '\0');
    char* in = input.data();
    std::size_t inLeft = static_cast<std::size_t>(input.size());
    char* out = output.data();
    std::size_t outLeft = static_cast<std::size_t>(output.size());
    if (iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &out, &outLeft) == static_cast<std::size_t>(-1))
        return std::nullopt;
    output.truncate(output.size() - static_cast<qsizetype>(outLeft));
    return output;
}

QString DecodeCp936(QByteArrayView bytes)
{
    IconvHandle cd = openConverter("UTF-8", "CP936");
    if (!cd)
        return QString::fromLatin1(bytes);
    QString result;
    QByteArray input(bytes.data(), bytes.size());
    char* in = input.data();
    std::size_t inLeft = static_cast<std::size_t>(input.size());
    while (inLeft > 0) {
        char buffer[256];
        char* out = buffer;
        std::size_t outLeft = sizeof buffer;
        const std::size_t rc = iconv(static_cast<iconv_t>(cd.get()), &in, &inLeft, &out, &outLeft);
        result += QString::fromUtf8(buffer, static_cast<qsizetype>(sizeof buffer - outLeft));
        if (rc == static_cast<std::size_t>(-1) && errno != E2BIG) {
            // An invalid or truncated sequence: show a replacement character
            // and go on with the next byte.
            result += QChar(QChar::ReplacementCharacter);
            ++in;
            --inLeft;
        }
    }
    return result;
}

namespace {

// Calls `visit` with each character of `text` (a surrogate pair as one) and
// its code page 936 form, until `visit` returns false.
template <typename Visit>
void ForEachCharacter(const QString& text, Visit visit)
{
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text.at(i).isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate();
        const QString character = text.mid(i, pair ? 2 : 1);
        i += character.size();
        if (!visit(character, EncodeCp936(character)))
            return;
    }
}

} // namespace

std::optional<QString> FirstNonCp936Character(const QString& text)
{
    std::optional<QString> first;
    ForEachCharacter(text, [&](const QString& character, const std::optional<QByteArray>& bytes) {
        if (!bytes)
            first = character;
        return bytes.has_value();
    });
    return first;
}

int Cp936Length(const QString& text)
{
    if (const auto bytes = EncodeCp936(text))
        return static_cast<int>(bytes->size());
    int length = 0;
    ForEachCharacter(text, [&](const QString&, const std::optional<QByteArray>& bytes) {
        length += bytes ? static_cast<int>(bytes->size()) : 1;
        return true;
    });
    return length;
}

} // namespace kestra
