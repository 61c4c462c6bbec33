#pragma once
// Running a program without any shell: the executable and every argument are
// handed over as one list, so no text is ever interpreted.
#include <chrono>
#include <filesystem>
#include <string>
#include <vector>

#include "platform/descriptor.h"
#include "platform/exit_notice.h"

namespace velmora::process {

struct Outcome {
    bool started = false;      // false: the program could not be executed at all
    int exit_status = -1;      // valid when exited_normally
    bool exited_normally = false;
    int signal = 0;            // the signal that ended it, when it did not exit normally
    std::string standard_output;
    std::string error_output;  // for a program that could not start: why
    bool ended_on_request = false;  // the caller asked for it to be ended while it ran
};

// How long a program asked to end (SIGTERM) may take before it is killed.
inline constexpr std::chrono::seconds grace_before_kill{2};

// A started program, watched through three descriptors that never block: its
// two output streams, and one that becomes readable when it exits. Whoever
// waits for it watches them (with poll, or in an event loop) and calls the
// matching function when one is readable.
class Child {
public:
    enum class Stream { output, error };

    Child(pid_t pid, Descriptor output, Descriptor error, Outcome& outcome);

    // -1 once the stream has ended or the program has exited.
    int descriptor(Stream stream) const;
    int exitDescriptor() const { return exit_notice_.descriptor(); }

    // Takes what the stream holds now.
    void readAvailable(Stream stream);
    // The exit descriptor was readable. Once the program has exited, it is
    // reaped, what its streams hold already is taken, and they are closed: a
    // process it left behind that still holds them open does not keep anyone
    // waiting. Returns whether it has exited.
    bool takeExitNotice();
    bool exited() const { return exited_; }
    // For a waiter that can watch the program no longer: kills it and
    // whatever it started, and reaps it, so that it leaves no zombie behind
    // and its outcome says how it ended.
    void killAndReap();

    // Ends the program and whatever it started (its process group): politely,
    // then by force.
    void endGroup();
    void killGroup();

private:
    Descriptor& stream(Stream which);
    bool reap(int wait_options);
    void noteStatus(int status);

    const pid_t pid_;
    Descriptor output_;
    Descriptor error_;
    ExitNotice exit_notice_;
    Outcome& outcome_;
    bool exited_ = false;
};

// How a caller waits for a child: returns once child.exited().
class Waiter {
public:
    virtual ~Waiter() = default;
    virtual void wait(Child& child) = 0;
};

// Starts `program` with `arguments` (argv[1..]) through posix_spawn and lets
// `waiter` wait for it; without one, the call blocks in poll. The program runs
// in a process group of its own: a Ctrl+C at the terminal reaches only the
// caller, which decides itself whether the program is to be ended, and ending
// it ends whatever it started as well.
Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            Waiter* waiter = nullptr);

}  // namespace velmora::process
