// SPDX-License-Identifier: Apache-2.0
#pragma once

#include "ui/JsonFile.h"
#include "ui/RegistryStore.h"

#include <QJsonObject>
#include <QString>

#include <optional>

namespace kestra::ui {

// The registry key kept in a per-user JSON file, for platforms without a
// registry. The file holds keys by path, each with typed values:
//
//   {"keys": {"Software\\...\\Kestra.exe": {
//        "language": {"type": "REG_DWORD", "data": 2},
//        "Company":  {"type": "REG_SZ", "data": "<data bytes in hex>"}}}}
//
// The file is read when it changed since the last read (its size, time and
// identity tell), so the eight look-ups of start-up read it once, and a file
// edited by hand or by another copy of the tool is still seen. A write goes
// to the file only when it changes a value. Nothing here shows a message: a missing file or key reads as a missing
// key, a damaged value as a missing value, a damaged file as a missing key
// (createKey then sets it aside as "<file>.corrupt" and starts a new one), and
// a store that cannot be written reports false. Writes replace the file
// atomically, so a crash never leaves half a store behind.
class FileRegistryStore : public RegistryStore {
public:
    explicit FileRegistryStore(QString filePath, QString keyPath = QString::fromLatin1(kRegistryKeyPath));

    // "kestra-setup/registry.json" under $XDG_CONFIG_HOME (~/.config when unset).
    static QString DefaultFilePath();
    const QString& filePath() const { return m_filePath; }

    bool openKey() override;
    bool createKey() override;
    std::optional<std::uint32_t> readDword(const QString& name) override;
    bool writeDword(const QString& name, std::uint32_t value) override;
    std::optional<QByteArray> readString(const QString& name) override;
    bool writeString(const QString& name, const QByteArray& data) override;

private:
    using FileState = JsonFileState;
    using Contents = JsonFileContents;

    const Contents& load() const;
    bool save(const QJsonObject& root) const;
    std::optional<QJsonObject> readValue(const QString& name) const;
    bool writeValue(const QString& name, const QJsonObject& value);

    QString m_filePath;
    QString m_keyPath;
    // Tells whether the file changed since it was read.
    struct Stamp {
        bool exists = false;
        qint64 size = 0;
        qint64 modifiedNs = 0;
        quint64 identity = 0;
        bool operator==(const Stamp&) const = default;
    };
    Stamp stamp() const;

    mutable std::optional<Contents> m_loaded; // what the file held at m_stamp
    mutable Stamp m_stamp;
};

} // namespace kestra::ui
