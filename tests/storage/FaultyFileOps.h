// SPDX-License-Identifier: Apache-2.0
#pragma once

// File operations on the real file system that fail on purpose: any call by
// its position in the sequence, writes and reads cut short, calls interrupted.
// The calls that are not failed really happen, so a test can look at the
// folder afterwards and see exactly what a failed save left behind.

#include "SystemErrors.h"

#include "storage/FileOps.h"

#include <QString>
#include <QStringList>

#include <cerrno>
#include <functional>
#include <optional>
#include <vector>

namespace kestra::test {

class FaultyFileOps final : public FileOps {
public:
    // Call number `call` (0-based, over all calls) returns `error` without
    // touching anything.
    void failCall(int call, int error) { m_faults.push_back({call, error}); }
    // Every write and read moves at most this many bytes.
    qint64 maxTransfer = 0;
    // Every write and read is interrupted (EINTR) once before it goes through;
    // only where calls can be (sys::kCallsCanBeInterrupted).
    bool interruptEachTransfer = false;
    // Writes report success having written nothing.
    bool writesMakeNoProgress = false;
    // Overrides what pathType reports for existing paths (a FIFO slipped in).
    std::optional<PathType> pretendPathType;
    // Changes what each read that went through hands back (a medium that
    // returns other bytes than were written).
    std::function<void(char* data, qint64 got)> alterRead;

    // One entry per call, by name ("write", "rename"...), faulted or not.
    QStringList calls;
    // Runs before call number `call` goes ahead: a test lets another save run
    // at that point.
    std::function<void(int call)> beforeCall;

    int pathType(const QString& path, PathType& type) override
    {
        if (const int error = enter("pathType"))
            return error;
        const int error = m_real.pathType(path, type);
        if (!error && pretendPathType && type != PathType::Missing)
            type = *pretendPathType;
        return error;
    }
    int createExclusive(const QString& path, FileHandle& handle) override
    {
        if (const int error = enter("createExclusive"))
            return error;
        return m_real.createExclusive(path, handle);
    }
    int write(FileHandle handle, const char* data, qint64 size, qint64& written) override
    {
        written = 0;
        if (const int error = enterTransfer("write"))
            return error;
        if (writesMakeNoProgress)
            return 0;
        return m_real.write(handle, data, cap(size), written);
    }
    int syncFile(FileHandle handle) override
    {
        if (const int error = enter("syncFile"))
            return error;
        return m_real.syncFile(handle);
    }
    int close(FileHandle handle) override
    {
        // A failed close still releases the descriptor, as on Linux.
        const int error = enter("close");
        const int realError = m_real.close(handle);
        return error ? error : realError;
    }
    int rename(const QString& from, const QString& to) override
    {
        if (const int error = enter("rename"))
            return error;
        return m_real.rename(from, to);
    }
    int syncFolder(const QString& folder) override
    {
        if (const int error = enter("syncFolder"))
            return error;
        return m_real.syncFolder(folder);
    }
    int remove(const QString& path) override
    {
        if (const int error = enter("remove"))
            return error;
        return m_real.remove(path);
    }
    int status(const QString& path, FileStatus& status) override
    {
        if (const int error = enter("status"))
            return error;
        return m_real.status(path, status);
    }
    int handleStatus(FileHandle handle, FileStatus& status) override
    {
        if (const int error = enter("handleStatus"))
            return error;
        return m_real.handleStatus(handle, status);
    }
    int openExisting(const QString& path, FileHandle& handle) override
    {
        if (const int error = enter("openExisting"))
            return error;
        return m_real.openExisting(path, handle);
    }
    int tryLock(FileHandle handle) override
    {
        if (const int error = enter("tryLock"))
            return error;
        return m_real.tryLock(handle);
    }
    int setPermissions(FileHandle handle, quint32 permissions) override
    {
        if (const int error = enter("setPermissions"))
            return error;
        return m_real.setPermissions(handle, permissions);
    }
    int openForReading(const QString& path, FileHandle& handle) override
    {
        if (const int error = enter("openForReading"))
            return error;
        return m_real.openForReading(path, handle);
    }
    int handleType(FileHandle handle, PathType& type) override
    {
        if (const int error = enter("handleType"))
            return error;
        return m_real.handleType(handle, type);
    }
    int read(FileHandle handle, char* data, qint64 size, qint64& got) override
    {
        got = 0;
        if (const int error = enterTransfer("read"))
            return error;
        const int error = m_real.read(handle, data, cap(size), got);
        if (!error && got > 0 && alterRead)
            alterRead(data, got);
        return error;
    }
    int dropCachedPages(FileHandle& handle) override
    {
        if (const int error = enter("dropCachedPages"))
            return error;
        return m_real.dropCachedPages(handle);
    }

private:
    struct Fault {
        int call;
        int error;
    };

    int enter(const char* name)
    {
        const int index = static_cast<int>(calls.size());
        calls << QString::fromLatin1(name);
        if (beforeCall)
            beforeCall(index);
        for (const Fault& fault : m_faults) {
            if (fault.call == index)
                return fault.error;
        }
        return 0;
    }

    int enterTransfer(const char* name)
    {
        if (interruptEachTransfer && !m_interrupted) {
            m_interrupted = true;
            calls << QStringLiteral("interrupted");
            return sys::kInterrupted;
        }
        m_interrupted = false;
        return enter(name);
    }

    qint64 cap(qint64 size) const { return maxTransfer > 0 ? qMin(size, maxTransfer) : size; }

    FileOps& m_real = FileOps::real();
    std::vector<Fault> m_faults;
    bool m_interrupted = false;
};

} // namespace kestra::test
