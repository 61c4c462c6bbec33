#pragma once
// Peak memory of a piece of work, measured in a process of its own with
// getrusage, so that it works wherever POSIX does (no /proc).
//
// A process's peak counts from its own start only if it was forked: one that
// was merely started by exec keeps the peak of the process that started it
// (Linux carries it across exec). So the benchmark starts itself again, and
// that fresh, still small process forks the child that does the work.
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdio>
#include <exception>
#include <functional>
#include <stdexcept>
#include <string>
#include <vector>

extern char** environ;

namespace velmora::bench {

// getrusage gives the peak in KiB on Linux, in bytes on macOS.
#if defined(__APPLE__)
inline constexpr long kPeakUnitBytes = 1;
#else
inline constexpr long kPeakUnitBytes = 1024;
#endif

// The peak resident memory of this process so far, in KiB.
inline long peakResidentKib()
{
    rusage usage{};
    if (getrusage(RUSAGE_SELF, &usage) != 0)
        throw std::runtime_error("getrusage failed");
    return static_cast<long>(usage.ru_maxrss) * kPeakUnitBytes / 1024;
}

// Runs `work` in a child forked from this process and returns the child's
// exit status (1 when it threw or died).
inline int inForkedChild(const std::function<int()>& work)
{
    std::fflush(nullptr);
    const pid_t child = fork();
    if (child < 0)
        throw std::runtime_error("fork failed");
    if (child == 0) {
        int status = 1;
        try {
            status = work();
        } catch (const std::exception& error) {
            std::fprintf(stderr, "%s\n", error.what());
        }
        std::fflush(nullptr);
        _exit(status);
    }
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status))
        return 1;
    return WEXITSTATUS(status);
}

// Runs a program (found like a shell finds it) to its end and returns the
// number it printed first.
inline long numberPrintedBy(std::vector<std::string> arguments)
{
    int output[2];
    if (pipe(output) != 0)
        throw std::runtime_error("pipe failed");
    std::vector<char*> argv;
    for (std::string& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, output[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, output[0]);
    pid_t child = 0;
    const int failed = posix_spawnp(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    close(output[1]);
    std::string printed;
    char buffer[256];
    for (ssize_t got; (got = read(output[0], buffer, sizeof buffer)) > 0;)
        printed.append(buffer, static_cast<std::size_t>(got));
    close(output[0]);
    int status = 0;
    if (failed || waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
    return std::stol(printed);
}

}  // namespace velmora::bench
