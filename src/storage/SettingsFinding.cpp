// SPDX-License-Identifier: Apache-2.0
#include "storage/SettingsFinding.h"

namespace kestra {

namespace {

QString Hex(long long value, int width)
{
    return QStringLiteral("0x") + QString::number(value, 16).toUpper().rightJustified(width, QLatin1Char('0'));
}

QString EnglishText(const SettingsFinding& f)
{
    switch (f.kind) {
    case FindingKind::FileSize:
        if (f.value > kMaxSettingsFileRead)
            return QStringLiteral("The file is longer than %1 bytes; only those were read. The camera expects %2.")
                .arg(kMaxSettingsFileRead)
                .arg(f.expected);
        return QStringLiteral("The file is %1 bytes long; the camera expects %2.").arg(f.value).arg(f.expected);
    case FindingKind::LineEnd:
        return QStringLiteral("%1 does not end in CR LF.").arg(f.field);
    case FindingKind::Checksum:
        return QStringLiteral("The stored checksum is %1, the bytes give %2.").arg(Hex(f.value, 4), Hex(f.expected, 4));
    case FindingKind::Reserved:
        return QStringLiteral("%1 holds %2 where the camera expects %3.")
            .arg(f.field, Hex(f.value, 2), Hex(f.expected, 2));
    case FindingKind::OutOfRange:
        return QStringLiteral("%1 is %2, outside its range (up to %3).").arg(f.field).arg(f.value).arg(f.expected);
    case FindingKind::ListPosition:
        return QStringLiteral("%1 is %2, which is no entry of its list.").arg(f.field).arg(f.value);
    case FindingKind::Clock:
        return QStringLiteral("%1 is %2, which is no valid date or time.").arg(f.field).arg(f.value);
    case FindingKind::CatalogueIndex:
        return QStringLiteral("%1 is %2, outside the catalogue (%3 entries).")
            .arg(f.field)
            .arg(f.value)
            .arg(f.expected);
    case FindingKind::Mode:
        return QStringLiteral("%1 is %2, which does not fit the mode of the file.").arg(f.field).arg(f.value);
    case FindingKind::TextLength:
        return QStringLiteral("%1 is %2 bytes long; at most %3 bytes fit.").arg(f.field).arg(f.value).arg(f.expected);
    case FindingKind::TextClipped:
        return QStringLiteral(
                   "The length byte of %1 is %2, past the %3 bytes of the block's text area; the text was cut there.")
            .arg(f.field)
            .arg(f.value)
            .arg(f.expected);
    case FindingKind::UserName:
        return QStringLiteral("The user name block does not match the sender address.");
    }
    return {};
}

QString ChineseText(const SettingsFinding& f)
{
    switch (f.kind) {
    case FindingKind::FileSize:
        if (f.value > kMaxSettingsFileRead)
            return QStringLiteral("文件长度超过 %1 字节，只读取了这些字节。相机需要 %2 字节。")
                .arg(kMaxSettingsFileRead)
                .arg(f.expected);
        return QStringLiteral("文件长度为 %1 字节，相机需要 %2 字节。").arg(f.value).arg(f.expected);
    case FindingKind::LineEnd:
        return QStringLiteral("%1 不以回车换行结束。").arg(f.field);
    case FindingKind::Checksum:
        return QStringLiteral("文件中的校验和为 %1，实际应为 %2。").arg(Hex(f.value, 4), Hex(f.expected, 4));
    case FindingKind::Reserved:
        return QStringLiteral("%1 的值为 %2，相机需要 %3。").arg(f.field, Hex(f.value, 2), Hex(f.expected, 2));
    case FindingKind::OutOfRange:
        return QStringLiteral("%1 的值 %2 超出范围（最大 %3）。").arg(f.field).arg(f.value).arg(f.expected);
    case FindingKind::ListPosition:
        return QStringLiteral("%1 的值 %2 不是列表中的选项。").arg(f.field).arg(f.value);
    case FindingKind::Clock:
        return QStringLiteral("%1 的值 %2 不是有效的日期或时间。").arg(f.field).arg(f.value);
    case FindingKind::CatalogueIndex:
        return QStringLiteral("%1 的值 %2 超出列表范围（共 %3 项）。").arg(f.field).arg(f.value).arg(f.expected);
    case FindingKind::Mode:
        return QStringLiteral("%1 的值 %2 与文件的模式不符。").arg(f.field).arg(f.value);
    case FindingKind::TextLength:
        return QStringLiteral("%1 长 %2 字节，最多只能 %3 字节。").arg(f.field).arg(f.value).arg(f.expected);
    case FindingKind::TextClipped:
        return QStringLiteral("%1 的长度字节为 %2，超出了 %3 字节的文本区，文本已截断。")
            .arg(f.field)
            .arg(f.value)
            .arg(f.expected);
    case FindingKind::UserName:
        return QStringLiteral("用户名与发件人地址不符。");
    }
    return {};
}

} // namespace

QString SettingsFinding::message(bool chinese) const
{
    QString text = chinese ? ChineseText(*this) : EnglishText(*this);
    if (offset >= 0)
        text += chinese ? QStringLiteral("（偏移 %1）").arg(offset) : QStringLiteral(" (offset %1)").arg(offset);
    return text;
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
