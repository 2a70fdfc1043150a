// Bounded reads of regular files and whole-or-nothing writes.
#include "file_access.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <stdexcept>
#include <unistd.h>

namespace levels {
namespace {

[[noreturn]] void failWithReason(const std::filesystem::path &file, const std::string &what, int error = errno)
{
    fail(file, what + ": " + std::strerror(error));
}

std::string kindOf(std::filesystem::file_type type)
{
    switch (type) {
    case std::filesystem::file_type::directory:
        return "a folder";
    case std::filesystem::file_type::fifo:
        return "a FIFO";
    case std::filesystem::file_type::character:
    case std::filesystem::file_type::block:
        return "a device";
    case std::filesystem::file_type::socket:
        return "a socket";
    default:
        return "no file that can be read";
    }
}

std::filesystem::file_type typeOf(const std::filesystem::path &file)
{
    std::error_code error;
    const auto type = std::filesystem::status(file, error).type();
    if (error && type != std::filesystem::file_type::not_found)
        fail(file, "cannot be read: " + error.message());
    return type;
}

void checkRegular(const std::filesystem::path &file, std::filesystem::file_type type)
{
    if (type != std::filesystem::file_type::regular)
        fail(file, "is " + kindOf(type) + ", not a regular file");
}

bool writeAll(int descriptor, const std::string &bytes)
{
    for (std::size_t done = 0; done < bytes.size();) {
        const ssize_t written = ::write(descriptor, bytes.data() + done, bytes.size() - done);
        if (written < 0 && errno != EINTR)
            return false;
        done += written > 0 ? static_cast<std::size_t>(written) : 0;
    }
    return true;
}

// 0 once the file is written and closed, or the error of the step that failed.
int writeNew(const std::filesystem::path &file, const std::string &bytes)
{
    const int descriptor = ::open(file.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
    if (descriptor < 0)
        return errno;
    int error = writeAll(descriptor, bytes) ? 0 : errno;
    if (::close(descriptor) != 0 && error == 0)
        error = errno;
    return error;
}

} // namespace

void fail(const std::filesystem::path &file, const std::string &what)
{
    throw std::runtime_error(file.string() + ": " + what);
}

std::uintmax_t regularSize(const std::filesystem::path &file)
{
    const auto type = typeOf(file);
    if (type == std::filesystem::file_type::not_found)
        fail(file, "is missing");
    checkRegular(file, type);
    return std::filesystem::file_size(file);
}

std::optional<std::string> readAtMost(const std::filesystem::path &file, std::size_t limit)
{
    const auto type = typeOf(file);
    if (type == std::filesystem::file_type::not_found)
        return std::nullopt;
    checkRegular(file, type);
    // Opened without blocking, in case a FIFO took the file's place since.
    const int descriptor = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (descriptor < 0)
        failWithReason(file, "cannot be read");
    std::string bytes(limit + 1, '\0');
    std::size_t done = 0;
    for (ssize_t got = 1; got != 0 && done < bytes.size();) {
        got = ::read(descriptor, bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno != EINTR) {
            ::close(descriptor);
            failWithReason(file, "cannot be read");
        }
        done += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    ::close(descriptor);
    bytes.resize(done);
    return bytes;
}

void writeWhole(const std::filesystem::path &file, const std::string &bytes)
{
    const std::filesystem::path temporary = file.parent_path() / ("." + file.filename().string() + ".new");
    int error = writeNew(temporary, bytes);
    if (error == 0 && std::rename(temporary.c_str(), file.c_str()) != 0)
        error = errno;
    if (error != 0) {
        ::unlink(temporary.c_str());
        failWithReason(file, "cannot be written", error);
    }
}

void writeOut(const std::string &bytes)
{
    if (!writeAll(STDOUT_FILENO, bytes))
        failWithReason("standard output", "cannot be written");
}

} // namespace levels
