// SPDX-License-Identifier: Apache-2.0
// The card list's word of mounts on Linux (and POSIX): the kernel's mount
// table.
#include "cards/CardList.h"

#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace kestra {

namespace {

void ReadToEnd(int fd)
{
    char bytes[4096];
    ::lseek(fd, 0, SEEK_SET);
    while (::read(fd, bytes, sizeof bytes) > 0) {
    }
}

} // namespace

CardList::MountChanges::MountChanges()
{
    // The kernel marks the mount table as changed (an exceptional condition
    // to poll) whenever something is mounted or unmounted.
    m_mountTable = ::open("/proc/self/mounts", O_RDONLY | O_CLOEXEC);
    if (m_mountTable >= 0)
        ReadToEnd(m_mountTable);
}

CardList::MountChanges::~MountChanges()
{
    if (m_mountTable >= 0)
        ::close(m_mountTable);
}

bool CardList::MountChanges::changed()
{
    if (m_mountTable < 0) {
        // No mount table to read: look anew now and then, as on Windows.
        m_checks = (m_checks + 1) % kChecksPerLook;
        return m_checks == 0;
    }
    pollfd mounts{m_mountTable, POLLPRI, 0};
    if (::poll(&mounts, 1, 0) > 0 && (mounts.revents & (POLLPRI | POLLERR)) != 0) {
        ReadToEnd(m_mountTable); // acknowledges the change
        return true;
    }
    return false;
}

} // namespace kestra
