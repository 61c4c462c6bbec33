#pragma once
// How long the texts handed to a started program may be. The system refuses
// to start a program whose arguments are too long ("Argument list too long"):
// Linux takes one argument of at most 32 pages and all arguments with the
// environment within ARG_MAX; macOS limits only the whole, to ARG_MAX.
#include <cstddef>
#include <string>
#include <vector>

namespace velmora::platform {

enum class ArgumentRule {
    per_argument_and_whole,  // Linux
    whole_only,              // macOS and the other systems
};

struct ArgumentRoom {
    std::size_t per_argument = 0;   // bytes of one argument, its final NUL included
    std::size_t all_arguments = 0;  // bytes of all arguments, each with its NUL and its pointer

    // Whether `texts` can be a program's arguments after its own name.
    bool fits(const std::vector<std::string>& texts) const;
};

// Bytes kept for the paths the system copies beside the texts: the program
// run (the script, or osascript) as the file and as the first argument, and
// the script after it, each at most 4096 bytes.
inline constexpr std::size_t program_paths_reserve = 3 * 4096;

// The room a system of `rule` leaves with an ARG_MAX of `arg_max` and pages
// of `page_size` bytes, after `taken` bytes of environment and program names.
ArgumentRoom ArgumentRoomUnder(ArgumentRule rule, std::size_t arg_max, std::size_t page_size, std::size_t taken);

// The room this system leaves the texts of a script, with this process's
// environment (which the script inherits).
ArgumentRoom ScriptArgumentRoom();

}  // namespace velmora::platform
