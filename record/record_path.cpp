#include "record/record_path.h"

#include <pwd.h>
#include <unistd.h>

#include <cstdlib>

namespace velmora::record {

namespace {

constexpr const char* record_name = "gesendet.tsv";

// HOME as the shell has it; the password database for a program started without it.
std::filesystem::path homeFolder(const char* home)
{
    if (home != nullptr && *home != '\0')
        return home;
    const passwd* entry = getpwuid(getuid());
    return entry != nullptr && entry->pw_dir != nullptr ? entry->pw_dir : "/";
}

}  // namespace

std::filesystem::path XdgRecordPath(const char* xdg_state_home, const char* home)
{
    // The base directory rules ignore a relative XDG_STATE_HOME.
    if (xdg_state_home != nullptr && std::filesystem::path(xdg_state_home).is_absolute())
        return std::filesystem::path(xdg_state_home) / "velmora" / record_name;
    return homeFolder(home) / ".local/state/velmora" / record_name;
}

std::filesystem::path MacRecordPath(const char* home)
{
    return homeFolder(home) / "Library/Application Support/Velmora" / record_name;
}

std::filesystem::path DefaultRecordPath()
{
#ifdef __APPLE__
    return MacRecordPath(std::getenv("HOME"));
#else
    return XdgRecordPath(std::getenv("XDG_STATE_HOME"), std::getenv("HOME"));
#endif
}

}  // namespace velmora::record
