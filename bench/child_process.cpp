// Running another program.
#include "bench/child_process.h"

#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>

extern char **environ;

namespace bench {
namespace {

double seconds(const timeval &time)
{
    return static_cast<double>(time.tv_sec) + time.tv_usec / 1e6;
}

std::string readAll(int fd)
{
    std::string text;
    char buffer[4096];
    ssize_t got = 0;
    while ((got = read(fd, buffer, sizeof buffer)) > 0)
        text.append(buffer, static_cast<std::size_t>(got));
    return text;
}

} // namespace

ChildResult runChild(const std::vector<std::string> &command)
{
    ChildResult result;
    int out[2];
    if (pipe(out) != 0)
        return result;
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    // The toolkit's warnings would only clutter the benchmark's table.
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);

    std::vector<char *> arguments;
    for (const std::string &word : command)
        arguments.push_back(const_cast<char *>(word.c_str()));
    arguments.push_back(nullptr);

    const auto start = std::chrono::steady_clock::now();
    pid_t child = 0;
    const int spawned = posix_spawn(&child, arguments[0], &actions, nullptr, arguments.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(out[1]);
    if (spawned != 0) {
        close(out[0]);
        return result;
    }
    result.output = readAll(out[0]);
    close(out[0]);

    int status = 0;
    rusage usage{};
    wait4(child, &status, 0, &usage);
    result.wallSeconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    result.exitedCleanly = WIFEXITED(status) && WEXITSTATUS(status) == 0;
    result.processorSeconds = seconds(usage.ru_utime) + seconds(usage.ru_stime);
    result.peakMegabytes = static_cast<double>(usage.ru_maxrss) / 1024.0;
    return result;
}

} // namespace bench
