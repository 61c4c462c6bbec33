#pragma once
// The fixed German texts only the main window shows the user; what it says
// about Zandor and about files it shares with velmora-import.
#include <string_view>

namespace velmora::ui::messages {

inline constexpr std::string_view no_account = "Zuerst Kontonamen eingeben!";
inline constexpr std::string_view no_file = "Zuerst Datei auswählen";

}  // namespace velmora::ui::messages
