// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include <optional>

namespace kestra {

// Code page 936 (GBK), the byte encoding of every text the settings files
// carry and the camera shows. ASCII maps to itself.

// The bytes of `text`, or nothing when a character has no code page 936 form.
std::optional<QByteArray> EncodeCp936(const QString& text);

// Decodes bytes read from a file; a byte sequence that is not valid GBK shows
// as U+FFFD instead of failing, so a damaged file still loads.
QString DecodeCp936(QByteArrayView bytes);

// The first character of `text` that code page 936 cannot hold (a surrogate
// pair whole), if any.
std::optional<QString> FirstNonCp936Character(const QString& text);

// Length of `text` in code page 936 bytes, the unit the camera's fields and
// the edit fields' limits count in; a character the code page cannot hold
// counts one byte, as its '?' stand-in would.
int Cp936Length(const QString& text);

} // namespace kestra
