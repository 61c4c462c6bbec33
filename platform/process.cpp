#include "platform/process.h"

#include "platform/poll_wait.h"
#include "platform/system_error_text.h"

#include <cerrno>
#include <fcntl.h>
#include <signal.h>
#include <spawn.h>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace velmora::process {

namespace {

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
    // Our end never blocks: once the program has exited, what is there is read
    // and no more is waited for.
    fcntl(ends[0], F_SETFL, fcntl(ends[0], F_GETFL) | O_NONBLOCK);
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
        return platform::SystemErrorText(error) + ".";
    }
}

Outcome notStarted(int error)
{
    Outcome outcome;
    outcome.error_output = startFailureReason(error);
    return outcome;
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

Child::Child(pid_t pid, Descriptor output, Descriptor error, Outcome& outcome)
    : pid_(pid), output_(std::move(output)), error_(std::move(error)), exit_notice_(pid), outcome_(outcome)
{
}

int Child::descriptor(Stream which) const
{
    return which == Stream::output ? output_.get() : error_.get();
}

Descriptor& Child::stream(Stream which)
{
    return which == Stream::output ? output_ : error_;
}

void Child::readAvailable(Stream which)
{
    Descriptor& descriptor = stream(which);
    std::string& target = which == Stream::output ? outcome_.standard_output : outcome_.error_output;
    char buffer[65536];
    while (descriptor.get() >= 0) {
        const ssize_t got = read(descriptor.get(), buffer, sizeof buffer);
        if (got > 0)
            target.append(buffer, static_cast<std::size_t>(got));
        else if (got < 0 && errno == EINTR)
            continue;
        else if (got < 0 && errno == EAGAIN)
            return;
        else
            descriptor.close();
    }
}

bool Child::takeExitNotice()
{
    exit_notice_.consume();
    return reap(WNOHANG);
}

void Child::killAndReap()
{
    killGroup();
    reap(0);
}

bool Child::reap(int wait_options)
{
    int status = 0;
    pid_t reaped = 0;
    do {
        reaped = waitpid(pid_, &status, wait_options);
    } while (reaped < 0 && errno == EINTR);
    if (reaped == 0)
        return false;  // the notice was another child's
    if (reaped == pid_)
        noteStatus(status);
    exited_ = true;
    readAvailable(Stream::output);
    readAvailable(Stream::error);
    output_.close();
    error_.close();
    return true;
}

void Child::noteStatus(int status)
{
    if (WIFEXITED(status)) {
        outcome_.exited_normally = true;
        outcome_.exit_status = WEXITSTATUS(status);
    } else if (WIFSIGNALED(status)) {
        outcome_.signal = WTERMSIG(status);
    }
}

void Child::endGroup()
{
    if (exited_)
        return;
    ::kill(-pid_, SIGTERM);
    outcome_.ended_on_request = true;
}

void Child::killGroup()
{
    if (!exited_)
        ::kill(-pid_, SIGKILL);
}

Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            Waiter* waiter)
{
    Pipe out;
    Pipe err;
    if (!openPipe(out) || !openPipe(err) || !ExitNotice::Prepare())
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
    Child watched(child, std::move(out.read_end), std::move(err.read_end), outcome);
    PollWaiter plain_wait;
    (waiter != nullptr ? *waiter : plain_wait).wait(watched);
    return outcome;
}

}  // namespace velmora::process
