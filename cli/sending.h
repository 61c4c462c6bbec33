#pragma once
// Sending the bookings that go out, one booking script run each, with each
// one's way noted in the record: "unterwegs" on the disk before the script
// starts, then "gesendet" or "fehlgeschlagen". A crash between two lines
// leaves a booking "unterwegs", never a silent gap; so the same call again
// sends exactly what did not go out.
#include <string>
#include <string_view>
#include <vector>

#include "cli/output.h"
#include "import/booking_run.h"
#include "record/record_file.h"

namespace velmora::cli {

struct OutgoingBooking {
    import::BookingArguments texts;
    std::string key;
};

// Without a record (nullptr) nothing is noted. Returns the exit status (see
// ExitStatus): all sent, a script failed, the record could not be written, a
// script ended by a second signal, or stopped by a signal; the reason and the
// count are told.
int SendBookings(const std::vector<OutgoingBooking>& bookings, const record::RecordFile* record, std::string_view account,
                 const Streams& streams);

}  // namespace velmora::cli
