#pragma once
// What the user is told of a booking in doubt (its script did not end with
// status 0, so it may or may not stand in Zandor): which booking it is, where
// it stands in its file, and the two calls that say what became of it once
// the user has looked in Zandor. Never --alle or --vergessen, which would
// send the file's other bookings again.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "cli/command_line.h"
#include "import/booking_run.h"

namespace velmora::cli {

// "  konto.qif, Zeile 6: 02.01.2006  50,00 €  von Girokonto an Unbekannt  Bäcker"
// and the memo, without a line end; `line` is the index of the line the
// booking's record begins at.
std::string BookingInDoubtLine(const import::BookingArguments& texts, std::string_view file, std::int64_t line);

// "Bitte in Zandor nachsehen. Steht sie dort: …" with the calls that settle
// the bookings in doubt of `files`, made of the call `invocation` (account,
// options and record as given there), one per line.
std::string SettlingCalls(const Invocation& invocation, const std::vector<std::string>& files, std::size_t bookings);

// The word as a shell reads it back unchanged: as it is, or in single quotes.
std::string ShellWord(std::string_view word);

}  // namespace velmora::cli
