// SPDX-License-Identifier: Apache-2.0
#pragma once

// Byte helpers shared by the settings file tests (header-only, so core tests
// can use them without linking the widget test support).

#include "storage/SettingsBlock.h"

#include <QByteArray>
#include <QFile>
#include <QString>

#include <gtest/gtest.h>

#include <initializer_list>

namespace kestra::testdata {

// A golden file of another test folder: tests/<dir>/golden/<name>.
inline QByteArray Golden(const char* dir, const char* name)
{
    QFile file(QStringLiteral(KESTRA_TESTS_DIR "/%1/golden/%2").arg(QLatin1String(dir), QLatin1String(name)));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << dir << "/" << name;
    return file.readAll();
}

// A golden file of the calling test's own folder.
inline QByteArray Golden(const char* name)
{
    QFile file(QStringLiteral(KESTRA_TEST_DATA_DIR "/golden/") + QString::fromLatin1(name));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name;
    return file.readAll();
}

inline QByteArray Bytes(std::initializer_list<int> values)
{
    QByteArray bytes;
    for (int v : values)
        bytes.append(static_cast<char>(v));
    return bytes;
}

// A stored block with its payload nibbles swapped back.
inline QByteArray Unscrambled(QByteArray block)
{
    for (qsizetype i = 0; i < qsizetype(kBlockPayloadSize) && i < block.size(); ++i)
        block[i] = static_cast<char>(SwapNibbles(static_cast<std::uint8_t>(block[i])));
    return block;
}

} // namespace kestra::testdata
