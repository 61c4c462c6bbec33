#pragma once
// Running a program without any shell: the executable and every argument are
// handed over as one list, so no text is ever interpreted. The caller waits
// in the event loop, which answers every other event meanwhile.
#include <chrono>
#include <filesystem>
#include <memory>
#include <string>
#include <vector>

class QProcess;
class QTimer;

namespace velmora::process {

struct Outcome {
    bool started = false;      // false: the program could not be executed at all
    int exit_status = -1;      // valid when exited_normally
    bool exited_normally = false;
    int signal = 0;            // the signal that ended it, when it did not exit normally
    std::string standard_output{};
    std::string error_output{};  // for a program that could not start: why, in German where it matters
    bool ended_on_request = false;  // the caller asked for it to be ended while it ran
};

// How long a program asked to end (SIGTERM) may take before it is killed.
inline constexpr std::chrono::seconds grace_before_kill{2};

// Waits for one program at a time, for a caller that may want it ended.
class Waiter {
public:
    Waiter();
    ~Waiter();  // declared, so never copied or moved: its timer calls back into it

    // Whether a program is being waited for right now.
    bool waiting() const { return running_ != nullptr; }
    // Ends the program being waited for and its process group: SIGTERM at
    // once, SIGKILL after the grace. Does nothing while no program runs.
    void endProgram();

private:
    friend Outcome run(const std::filesystem::path&, const std::vector<std::string>&, Waiter*);
    Outcome runToTheEnd(QProcess& process);
    void signalGroup(int signal) const;

    QProcess* running_ = nullptr;
    bool ended_on_request_ = false;
    const std::unique_ptr<QTimer> kill_after_grace_;
};

// Starts `program` with `arguments` (argv[1..]) and waits in a nested event
// loop until it has exited, through `waiter` (or a waiter of its own). Output
// is read as it comes, so a full pipe never blocks it; its exit ends the wait,
// whatever a process it left behind holds open. Standard input is /dev/null.
// In a process group of its own, a Ctrl+C at the terminal reaches only the
// caller, and ending the program ends what it started. Needs the application object.
Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            Waiter* waiter = nullptr);

}  // namespace velmora::process
