#pragma once
// The keys the record holds for one account, found by the digest of their
// combination: a booking's key is looked up without being built, and built
// (to be compared) only where the digests are equal.
#include <string_view>
#include <utility>
#include <vector>

#include "app/cli/digest_table.h"
#include "app/cli/key_digest.h"
#include "app/cli/sent_record.h"

namespace velmora::cli {

class SentKeys {
public:
    SentKeys(const SentRecord& record, std::string_view account, DigestFunction digest_of);

    struct Combination {
        std::string_view text;  // in the record's key
        std::vector<std::pair<unsigned, const SentRecord::Last*>> occurrences;

        const SentRecord::Last* last(unsigned occurrence) const;
    };

    // The record's combination that the fields give, or nullptr.
    const Combination* find(const KeyFields& fields, const KeyDigest& digest) const;

private:
    DigestTable<Combination> table_;
};

}  // namespace velmora::cli
