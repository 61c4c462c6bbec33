#pragma once
// The fixed German texts only the main window shows the user; what it says
// about Zandor and about files it shares with velmora-import.
#include <cstddef>
#include <string>
#include <string_view>

#include "import/booking_run.h"
#include "import/unreadable_bookings.h"

namespace velmora::ui::messages {

inline constexpr std::string_view no_account = "Zuerst Kontonamen eingeben!";
inline constexpr std::string_view no_file = "Zuerst Datei auswählen";

// The answers to the questions before a send.
inline constexpr std::string_view send_anyway = "Trotzdem senden";
inline constexpr std::string_view cancel = "Abbrechen";
inline constexpr std::string_view send_the_rest = "Weitersenden";
inline constexpr std::string_view send_all = "Alle senden";

// Asked before a send in which bookings would go out without a date or
// without an amount; names their lines and, where it applies, the
// "Monat/Tag tauschen" that reads every date.
std::string UnreadableQuestion(const import::RunReport& planned, const import::SwapCheck& swap,
                               bool month_day_swapped);

// Asked when the same lines were sent to the same account with the same
// options before, and that send stopped after `sent` of `total` bookings.
std::string ResumeQuestion(std::size_t sent, std::size_t total, std::string_view account);

// How many of the file's bookings had gone out when a send stopped, counting
// those of the earlier sends it went on from: "Bis dahin wurden 165 von 200
// Buchungen dieser Datei an Zandor gesendet."
std::string SentOfFile(std::size_t sent, std::size_t total);

// The booking whose script was ended before it had finished, by date, amount,
// direction and payee: it may or may not have reached Zandor.
std::string BookingInDoubt(const import::BookingArguments& booking);

}  // namespace velmora::ui::messages
