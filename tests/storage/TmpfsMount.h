// SPDX-License-Identifier: Apache-2.0
#pragma once

// A tmpfs to save onto, standing in for a camera card that fills up or turns
// read-only. Linux only; mounting needs root.

#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <sys/mount.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <string>

namespace kestra::test {

// A tmpfs mounted on a fresh folder and always unmounted again, even when an
// assertion ends the test early.
class TmpfsMount {
public:
    explicit TmpfsMount(const char* options)
    {
        if (::geteuid() != 0) {
            m_skipReason = "mounting a tmpfs needs root";
            return;
        }
        if (::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", 0, options) != 0) {
            m_skipReason = std::string("cannot mount a tmpfs here: ") + std::strerror(errno);
            return;
        }
        m_mounted = true;
    }
    ~TmpfsMount()
    {
        if (m_mounted)
            ::umount2(QFile::encodeName(m_dir.path()).constData(), MNT_DETACH);
    }
    TmpfsMount(const TmpfsMount&) = delete;
    TmpfsMount& operator=(const TmpfsMount&) = delete;

    bool remountReadOnly()
    {
        return ::mount("tmpfs", QFile::encodeName(m_dir.path()).constData(), "tmpfs", MS_REMOUNT | MS_RDONLY, nullptr)
               == 0;
    }

    const std::string& skipReason() const { return m_skipReason; }
    QString path() const { return m_dir.path(); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

private:
    QTemporaryDir m_dir;
    bool m_mounted = false;
    std::string m_skipReason;
};

} // namespace kestra::test
