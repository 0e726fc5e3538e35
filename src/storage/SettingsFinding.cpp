// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsFinding.h"

#include <QVarLengthArray>

#include <array>
#include <cstdint>

namespace kestra {

namespace {

// A number as QString::number writes it (upper-case digits past 9, a leading
// minus), left-padded with '0' to `width`, in a buffer of its own: a message
// takes its numbers without a string of their own each.
class NumberText {
public:
    explicit NumberText(long long value, int base = 10, int width = 0)
    {
        const bool negative = value < 0;
        auto rest = negative ? 0ULL - static_cast<unsigned long long>(value) : static_cast<unsigned long long>(value);
        const auto radix = static_cast<unsigned long long>(base);
        do {
            const auto digit = static_cast<char16_t>(rest % radix);
            Put(static_cast<char16_t>(digit < 10 ? u'0' + digit : u'A' + (digit - 10)));
            rest /= radix;
        } while (rest != 0);
        if (negative)
            Put(u'-');
        while (static_cast<int>(kCapacity - m_start) < width && m_start > 0)
            Put(u'0');
    }

    QStringView view() const { return QStringView(m_chars.data() + m_start, kCapacity - m_start); }

private:
    static constexpr qsizetype kCapacity = 40;
    void Put(char16_t c) { m_chars[static_cast<std::size_t>(--m_start)] = c; }
    std::array<char16_t, kCapacity> m_chars{};
    qsizetype m_start = kCapacity;
};

// What a sentence's %1 to %3 stand for; a number is written only when its
// sentence asks for it.
enum class Arg : std::uint8_t { None, Field, Value, Expected, HexValue, HexExpected, ReadLimit, Offset };

// The characters of a message, on the stack while it is put together.
using MessageChars = QVarLengthArray<QChar, 256>;

void AppendArg(MessageChars& text, const SettingsFinding& f, Arg arg);

// A sentence with %1 to %3 standing for its arguments, taken apart when the
// program is compiled: its text between the arguments and the argument each
// place takes. Every argument goes in as given: the field names are the
// program's own and hold no '%'.
class Sentence {
public:
    constexpr Sentence() = default;

    // `byNumber` names what %1, %2 and %3 stand for.
    template <std::size_t N>
    consteval Sentence(const char16_t (&pattern)[N], std::array<Arg, 3> byNumber = {}) // NOLINT: implicit on purpose
    {
        const std::size_t length = N - 1;
        std::size_t from = 0;
        for (std::size_t at = 0; at + 1 < length; ++at) {
            const char16_t digit = pattern[at + 1];
            if (pattern[at] != u'%' || digit < u'1' || digit > u'3')
                continue;
            if (m_places == m_args.size())
                throw "a sentence takes at most three arguments";
            m_text[m_places] = QStringView(pattern + from, static_cast<qsizetype>(at - from));
            m_args[m_places] = byNumber[static_cast<std::size_t>(digit - u'1')];
            ++m_places;
            from = at + 2;
            ++at;
        }
        m_text[m_places] = QStringView(pattern + from, static_cast<qsizetype>(length - from));
    }

    // The sentence with its arguments written out for `f`.
    void AppendTo(MessageChars& text, const SettingsFinding& f) const
    {
        for (std::size_t place = 0; place < m_places; ++place) {
            text.append(m_text[place].data(), m_text[place].size());
            AppendArg(text, f, m_args[place]);
        }
        text.append(m_text[m_places].data(), m_text[m_places].size());
    }

private:
    std::array<QStringView, 4> m_text{};
    std::array<Arg, 3> m_args{};
    std::size_t m_places = 0;
};

Sentence EnglishText(const SettingsFinding& f)
{
    switch (f.kind) {
    case FindingKind::FileSize:
        if (f.value > kMaxSettingsFileRead)
            return {u"The file is longer than %1 bytes; only those were read. The camera expects %2.",
                    {Arg::ReadLimit, Arg::Expected}};
        return {u"The file is %1 bytes long; the camera expects %2.", {Arg::Value, Arg::Expected}};
    case FindingKind::LineEnd:
        return {u"%1 does not end in CR LF.", {Arg::Field}};
    case FindingKind::Checksum:
        return {u"The stored checksum is 0x%1, the bytes give 0x%2.", {Arg::HexValue, Arg::HexExpected}};
    case FindingKind::Reserved:
        return {u"%1 holds 0x%2 where the camera expects 0x%3.", {Arg::Field, Arg::HexValue, Arg::HexExpected}};
    case FindingKind::OutOfRange:
        return {u"%1 is %2, outside its range (up to %3).", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::ListPosition:
        return {u"%1 is %2, which is no entry of its list.", {Arg::Field, Arg::Value}};
    case FindingKind::Clock:
        return {u"%1 is %2, which is no valid date or time.", {Arg::Field, Arg::Value}};
    case FindingKind::CatalogueIndex:
        return {u"%1 is %2, outside the catalogue (%3 entries).", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::Mode:
        return {u"%1 is %2, which does not fit the mode of the file.", {Arg::Field, Arg::Value}};
    case FindingKind::TextLength:
        return {u"%1 is %2 bytes long; at most %3 bytes fit.", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::TextClipped:
        return {u"The length byte of %1 is %2, past the %3 bytes of the block's text area; the text was cut there.",
                {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::UserName:
        return {u"The user name block does not match the sender address."};
    case FindingKind::ControlCharacter:
        return {u"%1 holds the control character 0x%2, which the camera cannot use in a text.",
                {Arg::Field, Arg::HexValue}};
    case FindingKind::PortNumber:
        return {u"%1 is no port number 1 to %2.", {Arg::Field, Arg::Expected}};
    case FindingKind::Ipv4Address:
        return {u"%1 is no IPv4 address (four numbers 0 to 255 joined by dots).", {Arg::Field}};
    case FindingKind::MailboxName:
        return {u"%1 has no name before its \"@\", and the camera logs in with that name.", {Arg::Field}};
    }
    return {};
}

Sentence ChineseText(const SettingsFinding& f)
{
    switch (f.kind) {
    case FindingKind::FileSize:
        if (f.value > kMaxSettingsFileRead)
            return {u"文件长度超过 %1 字节，只读取了这些字节。相机需要 %2 字节。", {Arg::ReadLimit, Arg::Expected}};
        return {u"文件长度为 %1 字节，相机需要 %2 字节。", {Arg::Value, Arg::Expected}};
    case FindingKind::LineEnd:
        return {u"%1 不以回车换行结束。", {Arg::Field}};
    case FindingKind::Checksum:
        return {u"文件中的校验和为 0x%1，实际应为 0x%2。", {Arg::HexValue, Arg::HexExpected}};
    case FindingKind::Reserved:
        return {u"%1 的值为 0x%2，相机需要 0x%3。", {Arg::Field, Arg::HexValue, Arg::HexExpected}};
    case FindingKind::OutOfRange:
        return {u"%1 的值 %2 超出范围（最大 %3）。", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::ListPosition:
        return {u"%1 的值 %2 不是列表中的选项。", {Arg::Field, Arg::Value}};
    case FindingKind::Clock:
        return {u"%1 的值 %2 不是有效的日期或时间。", {Arg::Field, Arg::Value}};
    case FindingKind::CatalogueIndex:
        return {u"%1 的值 %2 超出列表范围（共 %3 项）。", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::Mode:
        return {u"%1 的值 %2 与文件的模式不符。", {Arg::Field, Arg::Value}};
    case FindingKind::TextLength:
        return {u"%1 长 %2 字节，最多只能 %3 字节。", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::TextClipped:
        return {u"%1 的长度字节为 %2，超出了 %3 字节的文本区，文本已截断。", {Arg::Field, Arg::Value, Arg::Expected}};
    case FindingKind::UserName:
        return {u"用户名与发件人地址不符。"};
    case FindingKind::ControlCharacter:
        return {u"%1 含有控制字符 0x%2，相机无法在文本中使用。", {Arg::Field, Arg::HexValue}};
    case FindingKind::PortNumber:
        return {u"%1 不是 1 至 %2 的端口号。", {Arg::Field, Arg::Expected}};
    case FindingKind::Ipv4Address:
        return {u"%1 不是 IPv4 地址（以点分隔的四个 0 至 255 的数）。", {Arg::Field}};
    case FindingKind::MailboxName:
        return {u"%1 的“@”前没有用户名，而相机用该用户名登录。", {Arg::Field}};
    }
    return {};
}

void Append(MessageChars& text, QStringView piece)
{
    text.append(piece.data(), piece.size());
}

void AppendArg(MessageChars& text, const SettingsFinding& f, Arg arg)
{
    // The checksum is four hex digits, a byte two.
    const int hexWidth = f.kind == FindingKind::Checksum ? 4 : 2;
    switch (arg) {
    case Arg::None:
        return;
    case Arg::Field:
        Append(text, f.field);
        return;
    case Arg::Value:
        Append(text, NumberText(f.value).view());
        return;
    case Arg::Expected:
        Append(text, NumberText(f.expected).view());
        return;
    case Arg::HexValue:
        Append(text, NumberText(f.value, 16, hexWidth).view());
        return;
    case Arg::HexExpected:
        Append(text, NumberText(f.expected, 16, hexWidth).view());
        return;
    case Arg::ReadLimit:
        Append(text, NumberText(kMaxSettingsFileRead).view());
        return;
    case Arg::Offset:
        Append(text, NumberText(f.offset).view());
        return;
    }
}

} // namespace

QString SettingsFinding::message(bool chinese) const
{
    MessageChars text;
    (chinese ? ChineseText(*this) : EnglishText(*this)).AppendTo(text, *this);
    if (offset >= 0)
        (chinese ? Sentence{u"（偏移 %1）", {Arg::Offset}} : Sentence{u" (offset %1)", {Arg::Offset}})
            .AppendTo(text, *this);
    return QString(text.constData(), text.size());
}

void CheckRange(SettingsFindings& findings, FindingKind kind, const QString& field, qsizetype offset, long long value,
                long long low, long long high)
{
    if (value < low || value > high)
        findings.push_back({kind, field, offset, value, high});
}

void CheckRange(SettingsFindings& findings, FindingKind kind, QLatin1String field, qsizetype offset, long long value,
                long long low, long long high)
{
    if (value < low || value > high)
        findings.push_back({kind, QString(field), offset, value, high});
}

void CheckFileSize(SettingsFindings& findings, qsizetype size, bool truncated, qsizetype expected)
{
    // A file cut at the read limit is reported as longer than it, not as
    // exactly that long.
    const qsizetype shown = truncated ? kMaxSettingsFileRead + 1 : size;
    if (truncated || size != expected)
        findings.push_back({FindingKind::FileSize, QStringLiteral("file"), -1, shown, expected});
}

void CheckTextLength(SettingsFindings& findings, const QString& field, qsizetype offset, const QByteArray& text,
                     qsizetype limit)
{
    if (text.size() > limit)
        findings.push_back({FindingKind::TextLength, field, offset, text.size(), limit});
}

void CheckTextLength(SettingsFindings& findings, QLatin1String field, qsizetype offset, const QByteArray& text,
                     qsizetype limit)
{
    if (text.size() > limit)
        findings.push_back({FindingKind::TextLength, QString(field), offset, text.size(), limit});
}

} // namespace kestra
