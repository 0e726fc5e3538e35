// SPDX-License-Identifier: Apache-2.0
#include "storage/Cp936.h"

#include <QtGlobal>

#ifdef Q_OS_WIN
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>
#else
#include <iconv.h>

#include <cerrno>
#include <memory>
#endif

namespace kestra {

namespace {

bool IsAscii(const QString& text)
{
    for (QChar c : text) {
        if (c.unicode() >= 0x80)
            return false;
    }
    return true;
}

} // namespace

#ifdef Q_OS_WIN

// Windows converts with its own code page 936 table, the one the camera tool
// always used there.
namespace {

constexpr UINT kCodePage = 936;

// One character at the start of `bytes`: its length in bytes (1 or 2) and its
// text, or nothing when the bytes are not valid code page 936.
std::optional<QString> DecodeCharacter(const char* bytes, int length)
{
    wchar_t wide[2];
    const int count = MultiByteToWideChar(kCodePage, MB_ERR_INVALID_CHARS, bytes, length, wide, 2);
    if (count <= 0)
        return std::nullopt;
    return QString::fromWCharArray(wide, count);
}

} // namespace

std::optional<QByteArray> EncodeCp936(const QString& text)
{
    if (IsAscii(text))
        return text.toLatin1();
    const auto* wide = reinterpret_cast<const wchar_t*>(text.utf16());
    const int wideLength = static_cast<int>(text.size());
    BOOL usedDefault = FALSE;
    // WC_NO_BEST_FIT_CHARS: a character without its own form fails instead
    // of turning into a look-alike.
    const int size =
        WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, wideLength, nullptr, 0, nullptr, &usedDefault);
    if (size <= 0 || usedDefault)
        return std::nullopt;
    QByteArray output(size, '\0');
    usedDefault = FALSE;
    if (WideCharToMultiByte(kCodePage, WC_NO_BEST_FIT_CHARS, wide, wideLength, output.data(), size, nullptr,
                            &usedDefault)
            != size
        || usedDefault)
        return std::nullopt;
    return output;
}

QString DecodeCp936(QByteArrayView bytes)
{
    QString result;
    const char* data = bytes.data();
    const qsizetype size = bytes.size();
    for (qsizetype i = 0; i < size;) {
        const auto lead = static_cast<unsigned char>(data[i]);
        if (lead < 0x80) {
            result += QChar(lead);
            ++i;
            continue;
        }
        if (i + 1 < size) {
            if (const auto character = DecodeCharacter(data + i, 2)) {
                result += *character;
                i += 2;
                continue;
            }
        }
        if (const auto character = DecodeCharacter(data + i, 1)) {
            result += *character;
        } else {
            // An invalid or truncated sequence: show a replacement character
            // and go on with the next byte.
            result += QChar(QChar::ReplacementCharacter);
        }
        ++i;
    }
    return result;
}

#else

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
    if (cd == reinterpret_cast<iconv_t>(-1)) // NOLINT(performance-no-int-to-ptr): iconv_open's failure value
        return nullptr;
    return IconvHandle(cd);
}

} // namespace

std::optional<QByteArray> EncodeCp936(const QString& text)
{
    if (IsAscii(text))
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

#endif

namespace {

// Calls `visit` with each character of `text` (a surrogate pair as one) and
// its code page 936 form, until `visit` returns false.
template <typename Visit> void ForEachCharacter(const QString& text, Visit visit)
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
