#pragma once
// Sending the bookings that go out, one booking script run each, with each
// one's way noted in the record: "unterwegs" on the disk before the script
// starts, then "gesendet" or "fehlgeschlagen". A crash between two lines
// leaves a booking "unterwegs", never a silent gap; so the same call again
// sends exactly what did not go out.
#include <string>
#include <string_view>
#include <vector>

#include "app/cli/output.h"
#include "app/cli/record_file.h"
#include "import/booking_run.h"

namespace velmora::cli {

struct OutgoingBooking {
    import::BookingArguments texts;
    std::string key;
};

// Without a record (nullptr) nothing is noted. Returns the exit status: 0 all
// sent, 1 a script failed or the record could not be written, 130 stopped by
// Ctrl+C; the reason and the count are told.
int SendBookings(const std::vector<OutgoingBooking>& bookings, const RecordFile* record, std::string_view account,
                 const Streams& streams);

}  // namespace velmora::cli
