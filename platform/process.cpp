#include "platform/process.h"

#include <cerrno>
#include <cstring>
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

// Reads both streams as the child writes them; reading only one at a time would
// block the child as soon as it filled the other pipe.
void drain(int out_fd, int err_fd, std::string& out, std::string& err)
{
    pollfd watched[2] = {{out_fd, POLLIN, 0}, {err_fd, POLLIN, 0}};
    std::string* targets[2] = {&out, &err};
    int open_streams = 2;
    char buffer[65536];
    while (open_streams > 0) {
        if (poll(watched, 2, -1) < 0) {
            if (errno == EINTR)
                continue;
            return;
        }
        for (int i = 0; i < 2; ++i) {
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
    }
}

void waitFor(pid_t child, Outcome& outcome)
{
    int status = 0;
    while (waitpid(child, &status, 0) < 0) {
        if (errno != EINTR)
            return;
    }
    if (WIFEXITED(status)) {
        outcome.exited_normally = true;
        outcome.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome.signal = WTERMSIG(status);
    }
}

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

// The child starts with the signal dispositions and mask of a fresh process,
// whatever the toolkit has set up in ours.
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
        posix_spawnattr_setflags(&attributes, POSIX_SPAWN_SETSIGMASK | POSIX_SPAWN_SETSIGDEF);
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

Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments)
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
    drain(out.read_end.get(), err.read_end.get(), outcome.standard_output, outcome.error_output);
    waitFor(child, outcome);
    return outcome;
}

}  // namespace velmora::process
