#pragma once
// Sending the bookings that go out, one booking script run each, with each
// one's way noted in the record: "unterwegs" on the disk before the script
// starts, then "gesendet" when it ended with status 0, "unklar" when it
// started and ended otherwise (it may have booked), or "nicht gestartet". A
// crash between two lines leaves a booking "unterwegs", never a silent gap;
// so the same call again sends exactly what surely did not go out, and a
// booking in doubt only once the user has said it did not arrive.
#include <cstdint>
#include <string>
#include <vector>

#include "cli/command_line.h"
#include "cli/output.h"
#include "import/booking_run.h"
#include "record/record_file.h"

namespace velmora::cli {

struct OutgoingBooking {
    import::BookingArguments texts;
    std::string key;
    std::size_t file = 0;     // index into the call's files
    std::int64_t line = -1;   // index of the line its record begins at
};

// Without a record (nullptr) nothing is noted. Returns the exit status (see
// ExitStatus): all sent, a script that could not start, a booking left in
// doubt, the record not written, or stopped by a signal; the reason and the
// count are told, and a booking in doubt is named with the calls that settle it.
int SendBookings(const std::vector<OutgoingBooking>& bookings, const record::RecordFile* record,
                 const Invocation& invocation, const Streams& streams);

}  // namespace velmora::cli
