#pragma once
// The keys the record holds for one account, each with its last event, found
// by the digest of their combination: a booking is looked up by its fields
// without its key being built, and its full key is compared wherever the
// digests are equal.
#include <string_view>

#include "record/digest_table.h"
#include "record/key_digest.h"
#include "record/sent_state.h"

namespace velmora::record {

class SentKeys {
public:
    // Room for a record of `lines` lines without growing.
    explicit SentKeys(std::size_t lines) { table_.reserve(lines / 2); }

    // Notes the event of a key (a view into the record's text); a later event
    // of the same key replaces it. A key no booking could have (someone's
    // edit) is passed over: it can never stop a booking.
    void note(std::string_view key, const LastEvent& event, DigestFunction digest_of);

    // Whether a key may have this combination: yes as well for another
    // combination with the same digest, which is fine for deciding what to count.
    bool mayHave(const KeyDigest& combination) const { return table_.holds(combination); }
    const LastEvent* last(const KeyFields& fields, const KeyDigest& combination, unsigned occurrence) const;
    const LastEvent* last(std::string_view key, DigestFunction digest_of) const;

private:
    struct Key {
        std::string_view combination;
        unsigned occurrence;
        LastEvent last;
    };

    DigestTable<Key> table_;
};

}  // namespace velmora::record
