// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "storage/SettingsBlock.h"
#include "storage/SettingsFileIo.h"
#include "storage/SettingsFinding.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <span>

namespace kestra {

// The shape shared by mms.dat, gprs.dat and sms.dat: a header block, text
// blocks, a checksum block over everything before it and, for two of them, a
// closing block. Built on the block codec of SettingsBlock.h.

// The stored bytes: header and text blocks scrambled, then the checksum block
// and, when `closingBlock` is set, the closing block. Texts must already be
// checked against their limits (MakeTextBlock would cut them at 50 bytes).
QByteArray BuildBlockFile(const SettingsBlock& plainHeader, std::span<const QByteArray> texts, bool closingBlock);

// A record value as the one byte the camera reads: its low 8 bits.
constexpr std::uint8_t LowByte(int value)
{
    return static_cast<std::uint8_t>(value & 0xFF);
}

// Block 0 of `file` with its payload unscrambled (missing bytes read as zero).
SettingsBlock ReadHeaderBlock(QByteArrayView file);

// The text of block `index`, read leniently; a length byte past the text area
// is clipped and reported as a TextClipped finding on `field`.
QByteArray ReadTextField(QByteArrayView file, std::size_t index, QLatin1String field, SettingsFindings& findings);

// The file's size, the CR LF of each of its `blockCount` blocks, the checksum
// block after `dataBlocks` blocks (its value and its zero bytes) and, when
// `closingBlock` is set, the zero bytes of the closing block.
void CheckBlockFileFrame(QByteArrayView file, std::size_t dataBlocks, bool closingBlock, SettingsFindings& findings);

// A Checksum finding when the checksum stored in `block` (block `index` of
// its file) is not that of `coveredBytes`.
void CheckBlockChecksum(const SettingsBlock& block, std::size_t index, std::span<const std::uint8_t> coveredBytes,
                        SettingsFindings& findings);

// A Reserved finding for the first non-zero byte of block `index` in
// `from`..`to` - 1 (bytes past the end of the file count as zero).
void CheckZeroBytes(QByteArrayView file, std::size_t index, std::size_t from, std::size_t to,
                    SettingsFindings& findings);

// A Reserved finding for the first non-zero byte of text block `index`
// between the end of its text and its length byte: the camera finds a text's
// end by the zero after it as well as by the length.
void CheckTextPadding(QByteArrayView file, std::size_t index, SettingsFindings& findings);

// The names findings give block `index` ("block 3") and header byte
// `offset` ("header byte 7"); those of a settings file's blocks and bytes are
// made once and shared.
QString BlockName(std::size_t index);
QString HeaderByteName(std::size_t offset);

// A header byte the format fixes: a Reserved finding when it differs.
void CheckFixedByte(SettingsFindings& findings, const SettingsBlock& header, std::size_t offset, std::uint8_t wanted);

} // namespace kestra
