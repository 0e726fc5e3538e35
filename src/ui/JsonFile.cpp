// SPDX-License-Identifier: Apache-2.0
#include "ui/JsonFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QSaveFile>

#include <algorithm>

namespace kestra::ui {

JsonFileContents ReadJsonFile(const QString& path, qint64 maxSize)
{
    const QFileInfo info(path);
    if (!info.exists())
        return {JsonFileState::Missing, {}};
    if (!info.isFile())
        return {JsonFileState::Unreadable, {}};
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {JsonFileState::Unreadable, {}};
    // One byte past the limit tells a file of exactly `maxSize` from a longer
    // one. Read as it comes rather than into a buffer of the limit's size: a
    // block of a megabyte, even freed at once, makes the C library's
    // allocator keep that much freed memory for the rest of the run.
    QByteArray bytes;
    bytes.reserve(static_cast<qsizetype>(std::clamp<qint64>(file.size(), 0, maxSize) + 1));
    char chunk[16 * 1024];
    while (bytes.size() <= maxSize) {
        const qint64 read = file.read(chunk, std::min<qint64>(sizeof chunk, maxSize + 1 - bytes.size()));
        if (read < 0)
            return {JsonFileState::Unreadable, {}};
        if (read == 0)
            break;
        bytes.append(chunk, static_cast<qsizetype>(read));
    }
    if (bytes.size() > maxSize)
        return {JsonFileState::Corrupt, {}};
    QJsonParseError error{};
    const QJsonDocument document = QJsonDocument::fromJson(bytes, &error);
    if (error.error != QJsonParseError::NoError || !document.isObject())
        return {JsonFileState::Corrupt, {}};
    return {JsonFileState::Valid, document.object()};
}

bool WriteJsonFile(const QString& path, const QJsonObject& root, QString* why)
{
    const auto fail = [why](const QString& reason) {
        if (why)
            *why = reason;
        return false;
    };
    const QString folder = QFileInfo(path).absolutePath();
    if (!QDir().mkpath(folder))
        return fail(QStringLiteral("the folder %1 cannot be made").arg(QDir::toNativeSeparators(folder)));
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(file.errorString());
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (file.write(bytes) != bytes.size()) {
        const QString reason = file.errorString();
        file.cancelWriting();
        return fail(reason);
    }
    if (!file.commit())
        return fail(file.errorString());
    return true;
}

} // namespace kestra::ui
