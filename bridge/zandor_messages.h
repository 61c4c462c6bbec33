#pragma once
// What the user is told about Zandor, in the same words by the window and by
// velmora-import.
#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace velmora {

// Zandor gives no account names: it is not running, or has no account folder open.
inline constexpr std::string_view zandor_not_ready =
    "Zuerst bitte Zandor Professional starten und eine Kontenmappe öffnen. Da das Programm über AppleScript "
    "die Daten sendet, geht dies leider nicht mit der Standard-Version von Zandor. Man kann für den Import aber "
    "auch die Demoversion der Professional verwenden. Die Daten stehen dann danach auch in der Standard-Version "
    "zur Verfügung.";

// The booking's amount text (hundredths) as Zandor books it, in euros:
// «123456» as «1.234,56 €». An amount that is no plain number goes as it is.
std::string EuroAmount(std::string_view betrag);

// A send that found no record to send, in one file or in several; when
// something in them is never sent, its sentences (without their full stops)
// say why instead.
std::string NothingToSend(std::size_t files, const std::vector<std::string>& never_sent = {});

// "1 Buchung an Zandor gesendet." or "1.000 Buchungen an Zandor gesendet."
std::string BookingsSent(std::size_t sent);

// "Bis dahin wurde 1 Buchung an Zandor gesendet." or "Bis dahin wurden 312 …".
std::string SentUpToThen(std::size_t sent);

// Why a send stopped part-way, and how many bookings had gone out by then:
// said plainly, so that sending again does not silently double them.
std::string SendingStopped(std::string_view reason, std::size_t sent);

// How far a send is: "312 von 1.000 Buchungen gesendet".
std::string ProgressText(std::size_t sent, std::size_t total);

}  // namespace velmora
