// SPDX-License-Identifier: Apache-2.0
#pragma once

// The safe steps of a save, bare: what the tool's atomic save and card writer
// do to put a file on a card and prove it is there (src/storage/
// SettingsFileIo.cpp, PosixFileOps.cpp; src/cards/CardWriter.cpp), step for
// step and in the same order, with plain system calls and without any of the
// tool's checks (no look at the folder, the old file, its permissions or
// another case of its name; no lock). Each step returns false when the system
// refused it.

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <string>
#include <vector>

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

namespace bare {

inline std::string PathIn(const std::string& folder, const char* name)
{
    return folder + '/' + name;
}

// A new scratch file (never an old one or a link planted under its name),
// the bytes written, flushed to the medium, renamed over the file, closed.
inline bool SaveThroughScratch(const std::string& folder, const char* name, const char* scratchName,
                               const std::string& bytes)
{
    const std::string scratch = PathIn(folder, scratchName);
    const int fd = ::open(scratch.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC | O_NOCTTY, 0666);
    if (fd < 0)
        return false;
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t n = ::write(fd, bytes.data() + done, bytes.size() - done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ::close(fd);
            ::unlink(scratch.c_str());
            return false;
        }
        done += static_cast<std::size_t>(n);
    }
    if (::fsync(fd) != 0 || ::rename(scratch.c_str(), PathIn(folder, name).c_str()) != 0) {
        ::close(fd);
        ::unlink(scratch.c_str());
        return false;
    }
    return ::close(fd) == 0;
}

// The folder's entries flushed, so that the renames survive a pulled card.
inline bool FlushFolder(const std::string& folder)
{
    const int fd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    const bool flushed = ::fsync(fd) == 0 || errno == EINVAL;
    ::close(fd);
    return flushed;
}

// No page of the file is left in memory, as the card writer confirms after
// dropping them.
inline bool PagesGone(int fd, std::size_t size)
{
    if (size == 0)
        return true;
    void* map = ::mmap(nullptr, size, PROT_READ, MAP_SHARED, fd, 0);
    if (map == MAP_FAILED)
        return false;
    const auto page = static_cast<std::size_t>(::sysconf(_SC_PAGESIZE));
    std::vector<unsigned char> resident((size + page - 1) / page);
    const bool asked = ::mincore(map, size, resident.data()) == 0;
    ::munmap(map, size);
    return asked && std::none_of(resident.begin(), resident.end(), [](unsigned char p) { return (p & 1) != 0; });
}

// The file read back from the medium, not from the system's cache: what is
// still dirty written out, the cached pages dropped, then read to its end and
// compared with what was written.
inline bool ReadBackFromMedium(const std::string& folder, const char* name, const std::string& bytes)
{
    const int fd = ::open(PathIn(folder, name).c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
    if (fd < 0)
        return false;
    bool ok =
        ::sync_file_range(fd, 0, 0, SYNC_FILE_RANGE_WAIT_BEFORE | SYNC_FILE_RANGE_WRITE | SYNC_FILE_RANGE_WAIT_AFTER)
            == 0
        && ::posix_fadvise(fd, 0, 0, POSIX_FADV_DONTNEED) == 0 && PagesGone(fd, bytes.size());
    std::string read;
    char chunk[4096];
    while (ok) {
        const ssize_t n = ::read(fd, chunk, sizeof chunk);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            ok = false;
        if (n <= 0)
            break;
        read.append(chunk, static_cast<std::size_t>(n));
    }
    ::close(fd);
    return ok && read == bytes;
}

} // namespace bare
