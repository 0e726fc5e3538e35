// SPDX-License-Identifier: Apache-2.0
#pragma once

// What a folder holds, down to each file's bytes and modification time, so a
// test can tell that a failed save changed nothing it did not own.

#include <QByteArray>
#include <QDir>
#include <QFile>
#include <QMap>
#include <QString>

#include <fcntl.h>
#include <sys/stat.h>

#include <ostream>

namespace kestra::test {

struct FileState {
    QByteArray bytes;
    long long mtimeNs = 0;
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
        struct stat st {};
        if (::stat(QFile::encodeName(path).constData(), &st) == 0)
            state.mtimeNs = static_cast<long long>(st.st_mtim.tv_sec) * 1000000000LL + st.st_mtim.tv_nsec;
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
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(bytes) != bytes.size())
        return false;
    file.close();
    const struct timespec times[2] = {{978307200, 0}, {978307200, 0}};
    return ::utimensat(AT_FDCWD, QFile::encodeName(path).constData(), times, 0) == 0;
}

inline std::ostream& operator<<(std::ostream& out, const FileState& state)
{
    return out << state.bytes.size() << " bytes, mtime " << state.mtimeNs;
}

} // namespace kestra::test
