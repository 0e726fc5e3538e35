// SPDX-License-Identifier: Apache-2.0
#pragma once

#include <QJsonObject>
#include <QString>

namespace kestra::ui {

// The program's own small JSON files (the stored choices, the template fonts'
// measurements): read whole or not at all, and replaced whole.
enum class JsonFileState { Missing, Unreadable, Corrupt, Valid };

struct JsonFileContents {
    JsonFileState state = JsonFileState::Missing;
    QJsonObject root;
};

// Reads `path` if it is a regular file (a FIFO would block the read, a folder
// holds nothing). More than `maxSize` bytes, text that is not JSON or JSON
// that is not an object are Corrupt.
JsonFileContents ReadJsonFile(const QString& path, qint64 maxSize);

// Makes the folder if need be, writes a scratch file and renames it over
// `path`, so a crash never leaves half a file. On failure `why` (if given)
// says what failed.
bool WriteJsonFile(const QString& path, const QJsonObject& root, QString* why = nullptr);

} // namespace kestra::ui
