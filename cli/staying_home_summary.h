#pragma once
// What the summary on standard error says of the bookings that stay home.
#include <string>

#include "cli/command_line.h"
#include "record/send_plan.h"

namespace velmora::cli {

// One line per day of sending, then the unclear bookings, each on its line,
// with the calls that settle them; empty when every booking goes out.
// `being_sent`: the booking another velmora-import is sending right now,
// which is named as such, not as unclear.
std::string StayingHomeSummary(const record::StayingHome& staying_home, const Invocation& invocation,
                               const import::BookingArguments* being_sent = nullptr);

}  // namespace velmora::cli
