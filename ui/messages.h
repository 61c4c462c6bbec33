#pragma once
// The fixed German texts only the main window shows the user; what it says
// about Zandor and about files it shares with velmora-import.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "import/booking_run.h"
#include "import/send_concerns.h"

namespace velmora::ui::messages {

inline constexpr std::string_view no_account = "Zuerst Kontonamen eingeben!";
inline constexpr std::string_view no_file = "Zuerst Datei auswählen";
inline constexpr std::string_view all_sent = "Damit sind alle Buchungen dieser Datei an Zandor gesendet.";

// The answers to the questions before a send.
inline constexpr std::string_view send_anyway = "Trotzdem senden";
inline constexpr std::string_view send_readable_only = "Nur lesbare senden";
inline constexpr std::string_view cancel = "Abbrechen";
inline constexpr std::string_view send_the_rest = "Weitersenden";
inline constexpr std::string_view send_all = "Alle senden";
inline constexpr std::string_view in_zandor = "Steht in Zandor";
inline constexpr std::string_view not_in_zandor = "Fehlt in Zandor";
inline constexpr std::string_view stop_and_quit = "Anhalten und beenden";

// How the window's sentences name "Monat/Tag tauschen".
inline constexpr import::BoxWords box_words{"mit „Monat/Tag tauschen“", "ohne „Monat/Tag tauschen“", "mit dem Haken",
                                            "ohne den Haken"};

// Asked before a send of which the user must hear something first: the
// unreadable dates and amounts, one sentence a line, then what never goes
// out, then what the box and the file's date order make of the dates. With
// `offers_readable_only`, it says what "Nur lesbare senden" does.
std::string QuestionBeforeSending(const import::Concerns& concerns, bool offers_readable_only);

// A send that went through but left bookings out: how many went, and which
// stayed out (`left_out` as import::bookings_left_out says it).
std::string SentWithoutSome(std::size_t sent, std::string_view left_out);

// Asked when the same lines were sent before and that send stopped after
// `sent` of `total` bookings had reached `account`. `changes` names what
// differs since (an account, the boxes: "mit „Kategorien berücksichtigen“"),
// or is empty.
std::string ResumeQuestion(std::size_t sent, std::size_t total, std::string_view account, std::string_view changes);

// The same when the script of booking sent + 1 started and did not end with
// status 0: the booking, by date, amount and payee, may stand in Zandor or not.
std::string InDoubtQuestion(std::size_t sent, std::size_t total, std::string_view account,
                            const import::BookingArguments& in_doubt, std::string_view changes);

// The same when the changes give other bookings than the stopped send had:
// which of them went out can no longer be told.
std::string UntellableQuestion(std::size_t sent, std::size_t total, std::string_view account,
                               std::string_view changes);

// Asked when the user wants to end the program while a send goes on.
std::string QuitQuestion(std::size_t sent, std::size_t total);

// How many of the file's bookings had gone out when a send stopped, counting
// those of the earlier sends it went on from: "Bis dahin wurden 165 von 200
// Buchungen dieser Datei an Zandor gesendet."
std::string SentOfFile(std::size_t sent, std::size_t total);

// The booking whose script was ended before it had finished (`ended`) or
// did not end with status 0, by date, amount, direction and payee, and by
// its line in the file: it may or may not have reached Zandor.
std::string BookingInDoubt(const import::BookingArguments& booking, std::string_view file, std::int64_t line,
                           bool ended);

}  // namespace velmora::ui::messages
