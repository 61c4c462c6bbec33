#pragma once
// Running a program without any shell: the executable and every argument are
// handed over as one list, so no text is ever interpreted.
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

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

// What a caller that waits for a program wants next.
enum class WhileWaiting { keep_waiting, end_program };

// Asked again and again while the program runs (after every piece of output
// and at least every few milliseconds), so that the caller can keep a window
// alive, or give up on a program that does not finish. Once it has said
// end_program, its later answers do not matter.
using WaitingHook = std::function<WhileWaiting()>;

// How long a program asked to end (SIGTERM) may take before it is killed.
inline constexpr std::chrono::seconds grace_before_kill{2};

// Starts `program` with `arguments` (argv[1..]) through posix_spawn, collects
// both output streams without deadlock, and waits for it to end. The program
// runs in a process group of its own: a Ctrl+C at the terminal reaches only
// the caller, which decides itself whether the program is to be ended, and
// ending it ends whatever it started as well. Without a hook the wait blocks.
Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments,
            const WaitingHook& while_waiting = {});

}  // namespace velmora::process
