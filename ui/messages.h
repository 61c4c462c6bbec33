#pragma once
// The fixed German texts the main window shows the user.
#include <string_view>

namespace velmora::ui::messages {

inline constexpr std::string_view zandor_not_ready =
    "Zuerst bitte Zandor Professional starten und eine Kontenmappe öffnen. Da das Programm über AppleScript "
    "die Daten sendet, geht dies leider nicht mit der Standard-Version von Zandor. Man kann für den Import aber "
    "auch die Demoversion der Professional verwenden. Die Daten stehen dann danach auch in der Standard-Version "
    "zur Verfügung.";
inline constexpr std::string_view no_account = "Zuerst Kontonamen eingeben!";
inline constexpr std::string_view no_file = "Zuerst Datei auswählen";
inline constexpr std::string_view nothing_to_send =
    "Keine Buchung gesendet: Die Datei enthält keine Transaktion, die an Zandor zu senden ist.";
inline constexpr std::string_view file_prefix = "Datei ";
inline constexpr std::string_view file_missing_suffix = " ist nicht vorhanden";
inline constexpr std::string_view file_unreadable_suffix = " kann nicht gelesen werden";

}  // namespace velmora::ui::messages
