#pragma once
// How often each key combination came before in the file, and the most any
// earlier file of the call held it, by digest. Each combination's text is
// kept once, to tell apart two combinations that share a digest.
#include <cstdint>
#include <string>

#include "record/digest_table.h"
#include "record/key_digest.h"

namespace velmora::record {

class OccurrenceTable {
public:
    struct Count {
        unsigned occurrence = 0;  // 1 for the first in the file; 0: not counted
        bool in_earlier_file = false;
    };

    // Counts the combination of `fields`. One not met before is only taken in
    // when `take_new`; otherwise it stays uncounted.
    Count count(const KeyFields& fields, const KeyDigest& digest, bool take_new);
    void startFile();

private:
    struct Entry {
        std::size_t offset;  // in combinations_
        std::uint32_t size;
        unsigned in_file = 0;
        unsigned in_earlier_files = 0;  // the most of any earlier file
    };

    DigestTable<Entry> table_;
    std::string combinations_;  // every entry's combination, one after the other
};

}  // namespace velmora::record
