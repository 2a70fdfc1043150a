// Faults of the file system for a test's scope, and what stands at a path before and after.
#pragma once

#include "platform/files.h"

#include <QByteArray>
#include <QFile>

#include <array>
#include <csignal>
#include <filesystem>
#include <map>
#include <linux/capability.h>
#include <sys/resource.h>
#include <sys/syscall.h>
#include <unistd.h>
#include <vector>

// What stands at a path: its bytes, or each entry below it, folders marked.
inline std::map<std::string, QByteArray> snapshot(const std::filesystem::path &path)
{
    const auto bytes = [](const std::filesystem::path &file) {
        QFile in(platform::toQString(file));
        if (!std::filesystem::is_regular_file(file))
            return QByteArray(std::filesystem::is_directory(file) ? "<folder>" : "<other>");
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray("<unreadable>");
    };
    std::map<std::string, QByteArray> entries;
    if (std::filesystem::exists(path) && !std::filesystem::is_directory(path))
        entries[""] = bytes(path);
    if (std::filesystem::is_directory(path)) {
        for (const auto &entry : std::filesystem::recursive_directory_iterator(path))
            entries[std::filesystem::relative(entry.path(), path).string()] = bytes(entry.path());
    }
    return entries;
}

// Fails the test program if the scope lasts longer than seconds, as a read that waited on a FIFO would.
struct Deadline {
    explicit Deadline(unsigned seconds) { alarm(seconds); }
    ~Deadline() { alarm(0); }
};

// A fault of the file system for as long as the object lives. A read-only
// data folder still lets the game write the files in it that are writable.
class Fault
{
public:
    enum Kind { None, ReadOnly, ReadOnlyFiles, FullDisk, ReadOnlyFilling, Filling, Unreadable };

    // The disk fills at the length of data / filled.
    Fault(Kind kind, const std::filesystem::path &data, const std::filesystem::path &filled = "hal.hal")
    {
        using std::filesystem::perms;
        if (kind == ReadOnlyFiles) {
            protect(data / "hal.hal", perms::owner_read);
            protect(data / "user.pla", perms::owner_read);
        }
        if (kind == ReadOnly || kind == ReadOnlyFiles || kind == ReadOnlyFilling)
            protect(data, perms::owner_read | perms::owner_exec);
        if (kind == Unreadable)
            protect(data / "hal.hal", perms::none);
        if (!modes.empty()) {
            // Root, who runs the tests, ignores mode bits unless the thread gives that up.
            syscall(SYS_capget, &header, caps.data());
            auto lowered = caps;
            lowered[0].effective &= ~(1U << CAP_DAC_OVERRIDE | 1U << CAP_DAC_READ_SEARCH);
            syscall(SYS_capset, &header, lowered.data());
        }
        if (kind == FullDisk || kind == ReadOnlyFilling || kind == Filling) {
            // No file may grow past the limit (none at all, or the filled file's length), and a
            // write that would fails instead of ending the process.
            getrlimit(RLIMIT_FSIZE, &limit);
            const rlimit lowered{kind == FullDisk ? 0 : std::filesystem::file_size(data / filled), limit.rlim_max};
            setrlimit(RLIMIT_FSIZE, &lowered);
            std::signal(SIGXFSZ, SIG_IGN);
            limited = true;
        }
    }
    ~Fault()
    {
        if (limited)
            setrlimit(RLIMIT_FSIZE, &limit);
        if (!modes.empty())
            syscall(SYS_capset, &header, caps.data());
        for (const auto &[path, mode] : modes)
            std::filesystem::permissions(path, mode);
    }

private:
    void protect(const std::filesystem::path &path, std::filesystem::perms mode)
    {
        modes.emplace_back(path, std::filesystem::status(path).permissions());
        std::filesystem::permissions(path, mode);
    }

    std::vector<std::pair<std::filesystem::path, std::filesystem::perms>> modes;
    __user_cap_header_struct header{_LINUX_CAPABILITY_VERSION_3, 0};
    std::array<__user_cap_data_struct, 2> caps{};
    rlimit limit{};
    bool limited = false;
};
