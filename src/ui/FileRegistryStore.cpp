// SPDX-License-Identifier: Apache-2.0
#include "ui/FileRegistryStore.h"

#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonValue>
#include <QStandardPaths>

#include <cmath>

#ifdef Q_OS_UNIX
#include <sys/stat.h>
#endif

namespace kestra::ui {

namespace {

const QString kKeys = QStringLiteral("keys");
const QString kType = QStringLiteral("type");
const QString kData = QStringLiteral("data");
const QString kDword = QStringLiteral("REG_DWORD");
const QString kString = QStringLiteral("REG_SZ");

// The store holds four small values; anything much larger is not ours.
constexpr qint64 kMaxStoreSize = 1024 * 1024;

bool isHex(const QString& text)
{
    if (text.size() % 2 != 0)
        return false;
    for (QChar c : text) {
        const char16_t u = c.unicode();
        if (!((u >= '0' && u <= '9') || (u >= 'a' && u <= 'f') || (u >= 'A' && u <= 'F')))
            return false;
    }
    return true;
}

} // namespace

FileRegistryStore::FileRegistryStore(QString filePath, QString keyPath)
    : m_filePath(std::move(filePath)), m_keyPath(std::move(keyPath))
{
}

QString FileRegistryStore::DefaultFilePath()
{
    // A relative XDG_CONFIG_HOME is invalid and to be ignored, which Qt does
    // not do by itself.
    QString base = qEnvironmentVariable("XDG_CONFIG_HOME");
    if (base.isEmpty() || QDir::isRelativePath(base)) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_MACOS)
        base = QDir::home().filePath(QStringLiteral(".config"));
#else
        base = QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation);
#endif
    }
    return QDir(base).filePath(QStringLiteral("kestra-setup/registry.json"));
}

FileRegistryStore::Stamp FileRegistryStore::stamp() const
{
#ifdef Q_OS_UNIX
    struct stat info {};
    if (::stat(QFile::encodeName(m_filePath).constData(), &info) != 0)
        return {};
    return {true, static_cast<qint64>(info.st_size),
            static_cast<qint64>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec,
            static_cast<quint64>(info.st_ino) ^ (static_cast<quint64>(info.st_dev) << 32)};
#else
    const QFileInfo info(m_filePath);
    if (!info.exists())
        return {};
    return {true, info.size(), info.lastModified().toMSecsSinceEpoch() * 1000000, 0};
#endif
}

const FileRegistryStore::Contents& FileRegistryStore::load() const
{
    const Stamp now = stamp();
    if (m_loaded && now == m_stamp)
        return *m_loaded;
    m_stamp = now;
    m_loaded = ReadJsonFile(m_filePath, kMaxStoreSize);
    if (m_loaded->state == FileState::Valid && m_loaded->root.contains(kKeys)
        && !m_loaded->root.value(kKeys).isObject())
        m_loaded = Contents{FileState::Corrupt, {}};
    return *m_loaded;
}

bool FileRegistryStore::save(const QJsonObject& root) const
{
    if (!WriteJsonFile(m_filePath, root))
        return false;
    m_loaded = Contents{FileState::Valid, root};
    m_stamp = stamp();
    return true;
}

bool FileRegistryStore::openKey()
{
    const Contents& contents = load();
    return contents.state == FileState::Valid && contents.root.value(kKeys).toObject().value(m_keyPath).isObject();
}

bool FileRegistryStore::createKey()
{
    Contents contents = load();
    if (contents.state == FileState::Unreadable)
        return false; // someone else's file, or no rights: leave it alone
    if (contents.state == FileState::Corrupt) {
        // Keep the damaged file for whoever wants to look at it, then start over.
        const QString aside = m_filePath + QStringLiteral(".corrupt");
        QFile::remove(aside);
        QFile::copy(m_filePath, aside);
        contents.root = QJsonObject();
    }
    QJsonObject keys = contents.root.value(kKeys).toObject();
    if (keys.value(m_keyPath).isObject())
        return true;
    keys.insert(m_keyPath, QJsonObject());
    contents.root.insert(kKeys, keys);
    return save(contents.root);
}

std::optional<QJsonObject> FileRegistryStore::readValue(const QString& name) const
{
    const Contents& contents = load();
    if (contents.state != FileState::Valid)
        return std::nullopt;
    const QJsonValue key = contents.root.value(kKeys).toObject().value(m_keyPath);
    if (!key.isObject())
        return std::nullopt;
    const QJsonValue value = key.toObject().value(name);
    if (!value.isObject())
        return std::nullopt;
    return value.toObject();
}

bool FileRegistryStore::writeValue(const QString& name, const QJsonObject& value)
{
    Contents contents = load();
    if (contents.state != FileState::Valid)
        return false;
    QJsonObject keys = contents.root.value(kKeys).toObject();
    if (!keys.value(m_keyPath).isObject())
        return false; // writes never create the key
    QJsonObject key = keys.value(m_keyPath).toObject();
    if (key.value(name) == value)
        return true; // unchanged: the file stays as it is
    key.insert(name, value);
    keys.insert(m_keyPath, key);
    contents.root.insert(kKeys, keys);
    return save(contents.root);
}

std::optional<std::uint32_t> FileRegistryStore::readDword(const QString& name)
{
    const std::optional<QJsonObject> value = readValue(name);
    if (!value || value->value(kType).toString() != kDword)
        return std::nullopt;
    const QJsonValue data = value->value(kData);
    if (!data.isDouble())
        return std::nullopt;
    const double number = data.toDouble();
    if (number < 0 || number > 4294967295.0 || std::floor(number) != number)
        return std::nullopt;
    return static_cast<std::uint32_t>(number);
}

bool FileRegistryStore::writeDword(const QString& name, std::uint32_t value)
{
    return writeValue(name, QJsonObject{{kType, kDword}, {kData, static_cast<double>(value)}});
}

std::optional<QByteArray> FileRegistryStore::readString(const QString& name)
{
    const std::optional<QJsonObject> value = readValue(name);
    if (!value || value->value(kType).toString() != kString)
        return std::nullopt;
    const QJsonValue data = value->value(kData);
    if (!data.isString() || !isHex(data.toString()))
        return std::nullopt;
    return QByteArray::fromHex(data.toString().toLatin1());
}

bool FileRegistryStore::writeString(const QString& name, const QByteArray& data)
{
    return writeValue(name, QJsonObject{{kType, kString}, {kData, QString::fromLatin1(data.toHex())}});
}

} // namespace kestra::ui
