#pragma once
// The key that recognises a booking in a later run, when a bank's next export
// overlaps the last: the side of the money the chosen account is on, the date,
// the amount, payee and memo, and an occurrence number, so that two real,
// identical payments on one day stay two bookings. Category and counter
// account are left out: they follow from options and may be corrected between
// runs. The account itself stands beside the key in the record.
#include <string>
#include <string_view>
#include <unordered_map>

#include "import/booking_run.h"

namespace velmora::cli {

// Gives each booking of one run its key, in the order the run meets them.
class BookingKeys {
public:
    explicit BookingKeys(std::string_view account) : account_(account) {}

    // Each file counts its occurrences afresh: two exports of overlapping
    // months in one call give the same keys to the same days, as they do when
    // sent one after the other.
    void startFile();

    // «31.12.2005|123456|Ausgabe|Stadtwerke|Abschlag|1»: the occurrence
    // counts how often exactly this combination came before in the file.
    std::string next(const import::BookingArguments& booking);

    // Whether the booking of the last key stands in an earlier file of the
    // call as well: an earlier file held its combination as often at least.
    bool lastInEarlierFile() const { return last_in_earlier_file_; }

private:
    struct Occurrences {
        unsigned in_file = 0;
        unsigned in_earlier_files = 0;  // the most of any earlier file
    };

    std::string account_;
    std::unordered_map<std::string, Occurrences> seen_;
    bool last_in_earlier_file_ = false;
};

}  // namespace velmora::cli
