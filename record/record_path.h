#pragma once
// Where velmora-import keeps its record of what was sent, when --protokoll
// names no other file: with the user's state, where the platform keeps it.
#include <filesystem>

namespace velmora::record {

// $XDG_STATE_HOME/velmora/gesendet.tsv, or ~/.local/state/velmora/gesendet.tsv
// when XDG_STATE_HOME is unset or no absolute path. Either may be null.
std::filesystem::path XdgRecordPath(const char* xdg_state_home, const char* home);
// ~/Library/Application Support/Velmora/gesendet.tsv
std::filesystem::path MacRecordPath(const char* home);

// The one of the two this platform uses, from the environment.
std::filesystem::path DefaultRecordPath();

}  // namespace velmora::record
