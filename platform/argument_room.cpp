#include "platform/argument_room.h"

#include <unistd.h>

#include <algorithm>
#include <cstring>

extern char** environ;

namespace velmora::platform {

namespace {

// Linux copies one argument of at most MAX_ARG_STRLEN = 32 pages.
constexpr std::size_t pages_per_argument = 32;
// And, whatever ARG_MAX says, at most three quarters of its 8 MiB stack limit.
constexpr std::size_t linux_whole_at_most = 8 * 1024 * 1024 / 4 * 3;
// What POSIX promises where the system says nothing.
constexpr long posix_arg_max = 4096;
constexpr long common_page_size = 4096;

std::size_t asArgument(std::size_t text_bytes)
{
    return text_bytes + 1 + sizeof(char*);
}

std::size_t environmentBytes()
{
    std::size_t bytes = sizeof(char*);  // the list's end
    for (char** entry = environ; entry != nullptr && *entry != nullptr; ++entry)
        bytes += asArgument(std::strlen(*entry));
    return bytes;
}

ArgumentRule systemRule()
{
#if defined(__linux__)
    return ArgumentRule::per_argument_and_whole;
#else
    return ArgumentRule::whole_only;
#endif
}

}  // namespace

bool ArgumentRoom::fits(const std::vector<std::string>& texts) const
{
    std::size_t all = sizeof(char*);  // the list's end
    for (const std::string& text : texts) {
        if (text.size() + 1 > per_argument)
            return false;
        all += asArgument(text.size());
    }
    return all <= all_arguments;
}

ArgumentRoom ArgumentRoomUnder(ArgumentRule rule, std::size_t arg_max, std::size_t page_size, std::size_t taken)
{
    const std::size_t whole = rule == ArgumentRule::per_argument_and_whole ? std::min(arg_max, linux_whole_at_most)
                                                                            : arg_max;
    const std::size_t left = whole > taken ? whole - taken : 0;
    if (rule == ArgumentRule::whole_only)
        return {left, left};
    return {pages_per_argument * page_size, left};
}

ArgumentRoom ScriptArgumentRoom()
{
    const long arg_max = ::sysconf(_SC_ARG_MAX);
    const long page_size = ::sysconf(_SC_PAGESIZE);
    return ArgumentRoomUnder(systemRule(), static_cast<std::size_t>(arg_max > 0 ? arg_max : posix_arg_max),
                             static_cast<std::size_t>(page_size > 0 ? page_size : common_page_size),
                             environmentBytes() + program_paths_reserve);
}

}  // namespace velmora::platform
