// Opening a data file only when it is a regular file, for both programs'
// readers and writers. Needs nothing of the toolkit.
#pragma once

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>

namespace platform {

// True when something that is not a regular file stands at file, a link
// followed: a folder, a FIFO, a device or a socket.
inline bool standsOtherThanRegular(const std::filesystem::path &file)
{
    struct stat status {};
    return ::stat(file.c_str(), &status) == 0 && !S_ISREG(status.st_mode);
}

// A descriptor of file opened with flags, or -1 when it cannot be opened or
// is not a regular file. Such a file is never opened when it stands there
// already, and never waited on (a FIFO's open waits for the other end) when
// it is put there meanwhile.
inline int openRegularFile(const std::filesystem::path &file, int flags, mode_t mode = 0666)
{
    if (standsOtherThanRegular(file))
        return -1;
    const int descriptor = ::open(file.c_str(), flags | O_NONBLOCK | O_CLOEXEC, mode);
    struct stat status {};
    if (descriptor >= 0 && (::fstat(descriptor, &status) != 0 || !S_ISREG(status.st_mode))) {
        ::close(descriptor);
        return -1;
    }
    return descriptor;
}

} // namespace platform
