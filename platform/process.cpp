#include "platform/process.h"

#include <QCoreApplication>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <fcntl.h>
#include <string_view>
#include <unistd.h>

namespace velmora::process {

namespace {

namespace fs = std::filesystem;

// What the system starts by itself: a file naming its interpreter ("#!"), or
// a program as Linux (ELF) and the Mac (Mach-O, thin or fat) build them. A
// file that cannot be read is left for the system to judge.
bool startsLikeAProgram(const fs::path& program)
{
    constexpr std::string_view program_starts[] = {"#!", "\x7F" "ELF", "\xFE\xED\xFA\xCE", "\xFE\xED\xFA\xCF",
                                                   "\xCE\xFA\xED\xFE", "\xCF\xFA\xED\xFE", "\xCA\xFE\xBA\xBE"};
    const int file = ::open(program.c_str(), O_RDONLY | O_CLOEXEC);
    if (file < 0)
        return true;
    char start[4] = {};
    [[maybe_unused]] const ssize_t got = ::read(file, start, sizeof start);
    ::close(file);
    const std::string_view first_bytes(start, sizeof start);
    return std::any_of(std::begin(program_starts), std::end(program_starts),
                       [&](std::string_view program_start) { return first_bytes.starts_with(program_start); });
}

// Why `program` cannot be started, asked before starting it: QProcess would
// say it in English. Empty when nothing speaks against it.
std::string startObstacle(const fs::path& program)
{
    if (QCoreApplication::instance() == nullptr)
        return "Ohne Anwendungsobjekt lässt sich auf kein Programm warten.";
    std::error_code error;
    const fs::file_status status = fs::status(program, error);
    if (!fs::exists(status))
        return "Die Datei ist nicht vorhanden.";
    if (!fs::is_regular_file(status) || ::access(program.c_str(), X_OK) != 0)
        return "Die Datei darf nicht ausgeführt werden (keine Ausführungsrechte).";
    if (!startsLikeAProgram(program))
        return "Die Datei ist kein ausführbares Programm und beginnt mit keiner Interpreterzeile (#!).";
    return {};
}

// An ignored SIGCHLD (as whoever started the program may leave it) lets the
// system reap children by itself, losing their exit status: undone first.
void keepChildrenForWaiting()
{
    struct sigaction current = {};
    if (::sigaction(SIGCHLD, nullptr, &current) != 0)
        return;
    if (((current.sa_flags & SA_SIGINFO) == 0 && current.sa_handler == SIG_IGN) || (current.sa_flags & SA_NOCLDWAIT))
        ::signal(SIGCHLD, SIG_DFL);
}

// Runs in the child before the program replaces it, sharing the caller's
// memory: only calls that are safe there. A group of its own, and the signal
// mask and SIGPIPE of a fresh process, whatever the toolkit has set in ours.
void prepareChild()
{
    ::setpgid(0, 0);
    sigset_t none;
    sigemptyset(&none);
    ::sigprocmask(SIG_SETMASK, &none, nullptr);
    ::signal(SIGPIPE, SIG_DFL);
}

Outcome outcomeOf(QProcess& process, bool ended_on_request)
{
    if (process.error() == QProcess::FailedToStart)
        return {.error_output = process.errorString().toStdString()};
    const bool exited_normally = process.exitStatus() == QProcess::NormalExit;
    // After a crash Qt's exit code is the signal that ended the program.
    return {.started = true,
            .exit_status = exited_normally ? process.exitCode() : -1,
            .exited_normally = exited_normally,
            .signal = exited_normally ? 0 : process.exitCode(),
            .standard_output = process.readAllStandardOutput().toStdString(),
            .error_output = process.readAllStandardError().toStdString(),
            .ended_on_request = ended_on_request};
}

}  // namespace

Waiter::Waiter() : kill_after_grace_(std::make_unique<QTimer>())
{
    kill_after_grace_->setSingleShot(true);
    kill_after_grace_->setInterval(grace_before_kill);
    QObject::connect(kill_after_grace_.get(), &QTimer::timeout, [this] { signalGroup(SIGKILL); });
}

Waiter::~Waiter() = default;

void Waiter::endProgram()
{
    if (!running_ || kill_after_grace_->isActive())
        return;
    signalGroup(SIGTERM);
    ended_on_request_ = true;
    kill_after_grace_->start();
}

// Until Qt has taken the program's exit, its number still names it (and its group).
void Waiter::signalGroup(int signal) const
{
    const auto pid = static_cast<pid_t>(running_ ? running_->processId() : 0);
    if (pid > 0 && running_->state() != QProcess::NotRunning)
        ::kill(-pid, signal);
}

Outcome Waiter::runToTheEnd(QProcess& process)
{
    QEventLoop loop;
    QObject::connect(&process, &QProcess::stateChanged, &loop, [&loop](QProcess::ProcessState state) {
        if (state == QProcess::NotRunning)
            loop.quit();
    });
    running_ = &process;
    ended_on_request_ = false;
    process.start();
    // A quit of the application ends nested loops too, and later ones return at
    // once (-1): the program is still waited for, then answering nothing else.
    while (process.state() != QProcess::NotRunning) {
        if (loop.exec() == -1)
            process.waitForFinished(-1);
    }
    kill_after_grace_->stop();
    running_ = nullptr;
    return outcomeOf(process, ended_on_request_);
}

Outcome run(const fs::path& program, const std::vector<std::string>& arguments, Waiter* waiter)
{
    if (std::string obstacle = startObstacle(program); !obstacle.empty())
        return {.error_output = std::move(obstacle)};
    keepChildrenForWaiting();
    QProcess process;
    process.setProgram(QFile::decodeName(QByteArray::fromStdString(program.string())));
    QStringList texts;
    for (const std::string& argument : arguments)
        texts << QString::fromStdString(argument);  // UTF-8, as QProcess hands it on
    process.setArguments(texts);
    process.setStandardInputFile(QProcess::nullDevice());
    process.setChildProcessModifier(prepareChild);
    Waiter own_waiter;
    return (waiter != nullptr ? *waiter : own_waiter).runToTheEnd(process);
}

}  // namespace velmora::process
