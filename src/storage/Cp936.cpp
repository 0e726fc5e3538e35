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

std::optional<QChar> FirstNonCp936Character(const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        const qsizetype width = text.at(i).isHighSurrogate() && i + 1 < text.size() ? 2 : 1;
        if (!EncodeCp936(text.mid(i, width)))
            return text.at(i);
        i += width - 1;
    }
    return std::nullopt;
}

} // namespace kestra
