#pragma once
// Running a program without any shell: the executable and every argument are
// handed over as one list, so no text is ever interpreted.
#include <filesystem>
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
};

// Starts `program` with `arguments` (argv[1..]) through posix_spawn, collects
// both output streams without deadlock, and waits for it to end.
Outcome run(const std::filesystem::path& program, const std::vector<std::string>& arguments);

}  // namespace velmora::process
