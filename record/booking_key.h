#pragma once
// The key that recognises a booking in a later run, when a bank's next export
// overlaps the last: the side of the money the chosen account is on, the date,
// the amount, payee and memo, and an occurrence number, so that two real,
// identical payments on one day stay two bookings. Category and counter
// account are left out: they follow from options and may be corrected between
// runs. The account itself stands beside the key in the record.
//
// «31.12.2005|123456|Ausgabe|Stadtwerke|Abschlag|1»: the fields, each ended
// by "|" (a "|" or "\" inside a text escaped with "\", so that no two
// different bookings join into the same key), then the occurrence. The part
// before the occurrence is the key's combination.
#include <optional>
#include <string>
#include <string_view>

#include "import/booking_run.h"
#include "record/key_digest.h"
#include "record/occurrence_table.h"

namespace velmora::record {

// The key's fields of a booking of `account`, as views into the booking.
KeyFields KeyFieldsOf(const import::BookingArguments& booking, std::string_view account);

void AppendCombination(std::string& key, const KeyFields& fields);
// Whether `combination` is the one the fields give, without building it.
bool CombinationMatches(std::string_view combination, const KeyFields& fields);
std::string KeyOf(const KeyFields& fields, unsigned occurrence);

// A key as the record holds it, taken apart; nullopt for a text no booking
// could have as its key.
struct KeyParts {
    std::string_view combination;
    unsigned occurrence = 0;
};
std::optional<KeyParts> PartsOfKey(std::string_view key);
// The digest of a combination's fields (as KeyDigestOf gives it for the
// booking), or nullopt when the text is no combination of five fields.
std::optional<KeyDigest> DigestOfCombination(std::string_view combination, DigestFunction digest_of);

// Gives each booking of one run its key, in the order the run meets them.
class BookingKeys {
public:
    explicit BookingKeys(std::string_view account, DigestFunction digest_of = KeyDigestOf)
        : account_(account), digest_of_(digest_of)
    {
    }

    // Each file counts its occurrences afresh: two exports of overlapping
    // months in one call give the same keys to the same days, as they do when
    // sent one after the other.
    void startFile() { occurrences_.startFile(); }

    std::string next(const import::BookingArguments& booking);

    // Whether the booking of the last key stands in an earlier file of the
    // call as well: an earlier file held its combination as often at least.
    bool lastInEarlierFile() const { return last_in_earlier_file_; }

private:
    std::string account_;
    DigestFunction digest_of_;
    OccurrenceTable occurrences_;
    bool last_in_earlier_file_ = false;
};

}  // namespace velmora::record
