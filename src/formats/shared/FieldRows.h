// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "storage/SettingsBlock.h"
#include "storage/SettingsBlockFile.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QLatin1String>
#include <QString>

#include <cstddef>
#include <cstdint>
#include <span>

namespace kestra {

// The rows of a settings file: one per field it stores, each the one place
// where the field's name, key, limit or range and offset are written. The
// record check, the codec, the command line's options, a card profile's keys,
// `inspect` and the windows' bindings all read them from here.
//
// A key is a profile's key within its file's section and the command line's
// option after "--". The two keys every file shares, the language and the TV
// mode, are a whole card's in a profile and the session's on the command line
// (SessionKeys.h); a row of such a field names that key and sets `session`.

// What a typed text stands for, beyond its length: what the camera needs of
// it to use it. No text may hold a control character (bytes 0x00 to 0x1F and
// 0x7F, which no code page 936 character contains): the camera would print or
// send it as it stands. An empty text is left to the window's own checks.
enum class TextForm {
    Any,
    Port,    // a port number kLowestPort to kHighestPort in decimal digits
    Ipv4,    // an IPv4 address: four numbers 0 to 255 joined by "."
    Mailbox, // an address with a name before its first "@": the name the camera logs in with
};

inline constexpr int kLowestPort = 1;
inline constexpr int kHighestPort = 65535;

// The index of the first control character of `text`, or -1.
qsizetype FirstControlCharacter(const QByteArray& text);
// Whether a text without control characters is what `form` asks for.
bool FitsTextForm(TextForm form, const QByteArray& text);
// Whether an address the camera sends to, if it holds an "@", has a mailbox
// before its first "@" and a domain after it: the camera can send to no
// address that lacks either ("@example.org", "me@"). The windows' own address
// checks look only for an "@" and a "."; this is the one thing more they ask.
bool AddressHasBothParts(const QByteArray& address);

// One typed text.
template <typename Record> struct TextField {
    const char* name;           // the record field, as findings and refusals name it
    const char* key;            // the command-line option (after "--") and the profile key
    QByteArray Record::*member; // where the record holds it
    qsizetype limit;            // at most this many code page 936 bytes
    std::size_t block;          // the file's block that stores it
    const char* help = "";      // what the field is, in a line
    // Written from the operator's preset outside the custom mode (mms and
    // gprs), typed only in the custom mode.
    bool preset = false;
    TextForm form = TextForm::Any; // what the text must be, beyond its length
};

// Whether `text` is what the text of `field` must be: no control character,
// and the field's form.
template <typename Record> bool TextFits(const TextField<Record>& field, const QByteArray& text)
{
    return FirstControlCharacter(text) < 0 && FitsTextForm(field.form, text);
}

// How a number lies in the header block.
enum class NumberStorage {
    Byte,         // its low 8 bits at the offset
    Digits,       // tens and units at the offset and the byte after it
    InvertedFlag, // 1 for the value 0 and 0 for the value 1; read back, 0 is 1 and anything else 0
};

// How the record check looks at a number.
enum class NumberCheck {
    Range,     // low to high, else a finding of the row's kind
    Catalogue, // the format checks it with the catalogue and the mode
    None,      // any value: only its low byte is stored
};

// One number of a record: a list position, a count, a code.
template <typename Record> struct NumberField {
    const char* name;    // the record field
    const char* key;     // nullptr: no key sets it (it follows from other fields)
    int Record::*member; // where the record holds it
    int low;
    int high;
    FindingKind kind;   // the finding of a value outside low..high
    std::size_t offset; // the header byte before scrambling; 50 and up are trailer bytes
    NumberStorage storage = NumberStorage::Byte;
    NumberCheck check = NumberCheck::Range;
    bool session = false;  // the key is the session's: the language or the TV mode
    const char* help = ""; // what the field is, in a line
};

// A header byte the format fixes.
struct FixedByte {
    std::size_t offset;
    std::uint8_t value;
};

// The entry of `fields` named `name`, or null.
template <typename Fields> const auto* FindField(const Fields& fields, const QString& name)
{
    for (const auto& field : fields) {
        if (name == QLatin1String(field.name))
            return &field;
    }
    return static_cast<const typename Fields::value_type*>(nullptr);
}
template <typename Fields> const auto* FindTextField(const Fields& fields, const QString& name)
{
    return FindField(fields, name);
}

// The entry of `fields` with the key `key`, or null.
template <typename Fields> const auto* FindKey(const Fields& fields, QStringView key)
{
    for (const auto& field : fields) {
        if (field.key != nullptr && key == QLatin1String(field.key))
            return &field;
    }
    return static_cast<const typename Fields::value_type*>(nullptr);
}

// The row of `member`; a member the table lacks stops the build where it is
// asked for in a constant expression.
template <typename Fields, typename Member> constexpr const auto& RowOf(const Fields& fields, Member member)
{
    for (const auto& field : fields) {
        if (field.member == member)
            return field;
    }
    throw "the format's table lacks this member";
}

// The finding of a text not of its form.
constexpr FindingKind TextFormFinding(TextForm form)
{
    switch (form) {
    case TextForm::Port:
        return FindingKind::PortNumber;
    case TextForm::Ipv4:
        return FindingKind::Ipv4Address;
    case TextForm::Mailbox:
        return FindingKind::MailboxName;
    case TextForm::Any:
        break;
    }
    return FindingKind::TextLength;
}

// The text's finding offset: its length byte in its block.
template <typename Record> constexpr qsizetype TextLengthOffset(const TextField<Record>& field)
{
    return static_cast<qsizetype>(field.block * kBlockSize + kBlockTextLengthOffset);
}

// The first header byte after every number and fixed byte in the payload.
template <typename Record>
constexpr std::size_t FirstUnusedHeaderByte(std::span<const NumberField<Record>> numbers,
                                            std::span<const FixedByte> fixed)
{
    std::size_t first = 0;
    for (const NumberField<Record>& field : numbers) {
        const std::size_t end = field.offset + (field.storage == NumberStorage::Digits ? 2 : 1);
        if (field.offset < kBlockPayloadSize && end > first)
            first = end;
    }
    for (const FixedByte& byte : fixed) {
        if (byte.offset < kBlockPayloadSize && byte.offset + 1 > first)
            first = byte.offset + 1;
    }
    return first;
}

// The numbers of `record` and the fixed bytes into a plain header block.
template <typename Record>
void StoreNumbers(SettingsBlock& header, std::span<const NumberField<Record>> numbers, std::span<const FixedByte> fixed,
                  const Record& record)
{
    for (const FixedByte& byte : fixed)
        header[byte.offset] = byte.value;
    for (const NumberField<Record>& field : numbers) {
        const int value = record.*field.member;
        switch (field.storage) {
        case NumberStorage::Byte:
            header[field.offset] = LowByte(value);
            break;
        case NumberStorage::Digits:
            header[field.offset] = LowByte(value / 10);
            header[field.offset + 1] = LowByte(value % 10);
            break;
        case NumberStorage::InvertedFlag:
            header[field.offset] = value == 0 ? 1 : 0;
            break;
        }
    }
}

// The numbers of a plain header block into `record`, as the camera reads them.
template <typename Record>
void ReadNumbers(const SettingsBlock& header, std::span<const NumberField<Record>> numbers, Record& record)
{
    for (const NumberField<Record>& field : numbers) {
        int& value = record.*field.member;
        switch (field.storage) {
        case NumberStorage::Byte:
            value = header[field.offset];
            break;
        case NumberStorage::Digits:
            value = header[field.offset] * 10 + header[field.offset + 1];
            break;
        case NumberStorage::InvertedFlag:
            value = header[field.offset] == 0 ? 1 : 0;
            break;
        }
    }
}

// A finding when a number checked by its range lies outside it.
template <typename Record>
void CheckNumberRange(SettingsFindings& findings, const NumberField<Record>& field, const Record& record)
{
    if (field.check == NumberCheck::Range)
        CheckRange(findings, field.kind, QLatin1String(field.name), static_cast<qsizetype>(field.offset),
                   record.*field.member, field.low, field.high);
}

// A finding for each text longer than its limit, holding a control character
// or not of its field's form.
template <typename Record>
void CheckTexts(SettingsFindings& findings, std::span<const TextField<Record>> texts, const Record& record)
{
    for (const TextField<Record>& field : texts) {
        const QByteArray& text = record.*field.member;
        const QLatin1String name(field.name);
        const qsizetype offset = TextLengthOffset(field);
        CheckTextLength(findings, name, offset, text, field.limit);
        if (const qsizetype at = FirstControlCharacter(text); at >= 0) {
            // The byte's own place in the file: its block's text area.
            findings.push_back({FindingKind::ControlCharacter, QString(name),
                                static_cast<qsizetype>(field.block * kBlockSize) + at,
                                static_cast<unsigned char>(text[at]), 0});
        } else if (!FitsTextForm(field.form, text)) {
            findings.push_back({TextFormFinding(field.form), QString(name), offset, 0, kHighestPort});
        }
    }
}

} // namespace kestra
