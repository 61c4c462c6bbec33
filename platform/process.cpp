#include "platform/process.h"

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <optional>
#include <thread>
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora::process {

namespace {

// Closes its descriptor when it goes out of scope, so no early return leaks one.
class Descriptor {
public:
    Descriptor() = default;
    explicit Descriptor(int fd) : fd_(fd) {}
    ~Descriptor() { close(); }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    Descriptor& operator=(Descriptor&& other) noexcept
    {
        close();
        fd_ = other.fd_;
        other.fd_ = -1;
        return *this;
    }
    int get() const { return fd_; }
    void close()
    {
        if (fd_ >= 0)
            ::close(fd_);
        fd_ = -1;
    }

private:
    int fd_ = -1;
};

struct Pipe {
    Descriptor read_end;
    Descriptor write_end;
};

// A descriptor below 3 would be one of the child's standard streams itself, and
// dup2 onto the same number keeps its close-on-exec flag; so keep pipes above.
int aboveStandardStreams(int fd)
{
    if (fd > STDERR_FILENO)
        return fd;
    const int moved = fcntl(fd, F_DUPFD_CLOEXEC, STDERR_FILENO + 1);
    ::close(fd);
    return moved;
}

// Close-on-exec, so that no other program started later inherits our ends and
// keeps the pipe open past the child's exit. Set right after the pipe is made:
// the program starts other programs from its one thread only, so none can
// start in between.
bool openPipe(Pipe& pipe)
{
    int ends[2];
    if (::pipe(ends) != 0)
        return false;
    for (int end : ends)
        fcntl(end, F_SETFD, FD_CLOEXEC);
    pipe.read_end = Descriptor(aboveStandardStreams(ends[0]));
    pipe.write_end = Descriptor(aboveStandardStreams(ends[1]));
    return pipe.read_end.get() >= 0 && pipe.write_end.get() >= 0;
}

std::string startFailureReason(int error)
{
    switch (error) {
    case ENOENT:
        return "Die Datei ist nicht vorhanden.";
    case EACCES:
        return "Die Datei darf nicht ausgeführt werden (keine Ausführungsrechte).";
    case ENOEXEC:
        return "Die Datei ist kein ausführbares Programm und beginnt mit keiner Interpreterzeile (#!).";
    default:
        return std::strerror(error);
    }
}

Outcome notStarted(int error)
{
    Outcome outcome;
    outcome.error_output = startFailureReason(error);
    return outcome;
}

using Clock = std::chrono::steady_clock;

// How often a waiting hook is asked while the program writes nothing: often
// enough that a window repaints smoothly and a stop is taken at once.
constexpr int hook_interval_ms = 10;

// Waits for one child: reads both its streams as it writes them (reading only
// one at a time would block it as soon as it filled the other pipe), then
// reaps it. Between, it asks the caller's hook, and ends the child's process
// group when asked to: politely first, by force after the grace period.
class ChildWatch {
public:
    ChildWatch(pid_t child, const WaitingHook& hook, Outcome& outcome)
        : child_(child), hook_(hook), outcome_(outcome)
    {
    }

    void drain(int out_fd, int err_fd)
    {
        pollfd watched[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
        std::string* targets[2] = {&outcome_.standard_output, &outcome_.error_output};
        int open_streams = 2;
        char buffer[65536];
        while (open_streams > 0) {
            const int ready = poll(watched, 2, hook_ ? hook_interval_ms : -1);
            if (ready < 0 && errno != EINTR)
                return;
            for (int i = 0; ready > 0 && i < 2; ++i) {
                if (watched[i].fd < 0 || watched[i].revents == 0)
                    continue;
                const ssize_t got = read(watched[i].fd, buffer, sizeof buffer);
                if (got > 0) {
                    targets[i]->append(buffer, static_cast<std::size_t>(got));
                } else if (got == 0 || errno != EINTR) {
                    watched[i].fd = -1;  // poll ignores negative descriptors
                    --open_streams;
                }
            }
            askHook();
        }
    }

    void reap()
    {
        int status = 0;
        if (!waitForExit(status))
            return;
        if (WIFEXITED(status)) {
            outcome_.exited_normally = true;
            outcome_.exit_status = WEXITSTATUS(status);
        } else if (WIFSIGNALED(status)) {
            outcome_.signal = WTERMSIG(status);
        }
    }

private:
    bool waitForExit(int& status)
    {
        if (!hook_) {
            while (waitpid(child_, &status, 0) < 0) {
                if (errno != EINTR)
                    return false;
            }
            return true;
        }
        // A child whose streams have closed is exiting: it can be reaped a few
        // microseconds later, so it is first looked at again at once, giving
        // way to it in between. One that has not exited by then (it closed its
        // streams early, or hangs) is looked at in growing pauses, and the
        // hook is still asked.
        constexpr int immediate_looks = 200;
        auto pause = std::chrono::microseconds(50);
        for (int look = 0;; ++look) {
            const pid_t reaped = waitpid(child_, &status, WNOHANG);
            if (reaped == child_)
                return true;
            if (reaped < 0 && errno != EINTR)
                return false;
            if (look < immediate_looks) {
                std::this_thread::yield();
                continue;
            }
            askHook();
            std::this_thread::sleep_for(pause);
            pause = std::min(pause * 2, std::chrono::microseconds(hook_interval_ms * 1000));
        }
    }

    void askHook()
    {
        if (!hook_)
            return;
        const WhileWaiting wish = hook_();
        if (!asked_to_end_) {
            if (wish == WhileWaiting::end_program)
                endGroup();
            return;
        }
        if (!killed_ && Clock::now() - *asked_to_end_ >= grace_before_kill) {
            ::kill(-child_, SIGKILL);
            killed_ = true;
        }
    }

    void endGroup()
    {
        ::kill(-child_, SIGTERM);
        asked_to_end_ = Clock::now();
        outcome_.ended_on_request = true;
    }

    const pid_t child_;
    const WaitingHook& hook_;
    Outcome& outcome_;
    std::optional<Clock::time_point> asked_to_end_;
    bool killed_ = false;
};

std::vector<char*> argumentVector(const std::string& program, const std::vector<std::string>& arguments)
{
    std::vector<char*> argv;
    argv.reserve(arguments.size() + 2);
    argv.push_back(const_cast<char*>(program.c_str()));
    for (const std::string& argument : arguments)
        argv.push_back(const_cast<char*>(argument.c_str()));
    argv.push_back(nullptr);
    return argv;
}

// Where the system can, the child gets no descriptor but its three standard
// streams, whatever the toolkit has left open without close-on-exec.
#ifdef POSIX_SPAWN_CLOEXEC_DEFAULT
constexpr short only_standard_streams = POSIX_SPAWN_CLOEXEC_DEFAULT;
#else
constexpr short only_standard_streams = 0;
#endif

// The child starts with the signal dispositions and mask of a fresh process,
// whatever the toolkit has set up in ours, in a process group of its own.
struct SpawnAttributes {
    posix_spawnattr_t attributes;
    SpawnAttributes()
    {
        posix_spawnattr_init(&attributes);
        sigset_t none;
        sigemptyset(&none);
        sigset_t defaults;
        sigemptyset(&defaults);
        sigaddset(&defaults, SIGPIPE);
        posix_spawnattr_setsigmask(&attributes, &none);
        posix_spawnattr_setsigdefault(&attributes, &defaults);
        posix_spawnattr_setpgroup(&attributes, 0);
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF | POSIX_SPAWN_SETPGROUP
                                                  | only_standard_streams);
    }
    ~SpawnAttributes() { posix_spawnattr_destroy(&attributes); }
};

struct FileActions {
    posix_spawn_file_actions_t actions;
    FileActions(int out_fd, int err_fd)
    {
        posix_spawn_file_actions_init(&actions);
        posix_spawn_file_actions_addopen(&actions, STDIN_FILENO, "/dev/null", O_RDONLY, 0);
        posix_spawn_file_actions_adddup2(&actions, out_fd, STDOUT_FILENO);
        posix_spawn_file_actions_adddup2(&actions, err_fd, STDERR_FILENO);
    }
    ~FileActions() { posix_spawn_file_actions_destroy(&actions); }
};

}  // namespace

Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            const WaitingHook& while_waiting)
{
    Pipe out;
    Pipe err;
    if (!openPipe(out) || !openPipe(err))
        return notStarted(errno);

    const std::string program_text = program.string();
    std::vector<char*> argv = argumentVector(program_text, arguments);
    FileActions actions(out.write_end.get(), err.write_end.get());
    SpawnAttributes attributes;

    // posix_spawn, unlike fork, does not copy the address space: a program
    // holding a large line list starts a script as fast as a small one. On
    // glibc a failed exec comes back as its return value.
    pid_t child = 0;
    const int error = posix_spawn(&child, program_text.c_str(), &actions.actions, &attributes.attributes,
                                  argv.data(), environ);
    if (error != 0)
        return notStarted(error);

    // Our write ends must go, or the reads below would never see the end.
    out.write_end.close();
    err.write_end.close();

    Outcome outcome;
    outcome.started = true;
    ChildWatch watch(child, while_waiting, outcome);
    watch.drain(out.read_end.get(), err.read_end.get());
    watch.reap();
    return outcome;
}

}  // namespace velmora::process
