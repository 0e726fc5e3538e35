// SPDX-License-Identifier: Apache-2.0
#pragma once

// What a folder holds, down to each file's bytes and modification time, so a
// test can tell that a failed save changed nothing it did not own.

#include <QByteArray>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QMap>
#include <QString>

#include <ostream>

namespace kestra::test {

struct FileState {
    QByteArray bytes;
    qint64 mtimeMs = 0;
    bool operator==(const FileState&) const = default;
};

using FolderSnapshot = QMap<QString, FileState>;

inline FolderSnapshot Snapshot(const QString& folder)
{
    FolderSnapshot snapshot;
    const QDir dir(folder);
    for (const QString& name : dir.entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot)) {
        const QString path = dir.filePath(name);
        FileState state;
        state.mtimeMs = QFileInfo(path).lastModified().toMSecsSinceEpoch();
        QFile file(path);
        if (file.open(QIODevice::ReadOnly))
            state.bytes = file.readAll();
        snapshot.insert(name, state);
    }
    return snapshot;
}

// Writes `bytes` to `path` and dates it back to 2001, so that any rewrite,
// even within the same second, shows as a changed time.
inline bool PlantFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadWrite | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    return file.setFileTime(QDateTime::fromSecsSinceEpoch(978307200, Qt::UTC), QFileDevice::FileModificationTime);
}

inline std::ostream& operator<<(std::ostream& out, const FileState& state)
{
    return out << state.bytes.size() << " bytes, mtime " << state.mtimeMs;
}

} // namespace kestra::test
