#include "record/occurrence_table.h"

#include <algorithm>

#include "record/booking_key.h"

namespace velmora::record {

OccurrenceTable::Count OccurrenceTable::count(const KeyFields& fields, const KeyDigest& digest, bool take_new)
{
    Entry* entry = table_.find(digest, [&](const Entry& candidate) {
        return CombinationMatches(std::string_view(combinations_).substr(candidate.offset, candidate.size), fields);
    });
    if (entry == nullptr) {
        if (!take_new)
            return {};
        const std::size_t offset = combinations_.size();
        AppendCombination(combinations_, fields);
        entry = &table_.add(digest, {offset, static_cast<std::uint32_t>(combinations_.size() - offset)});
    }
    const unsigned occurrence = ++entry->in_file;
    return {occurrence, occurrence <= entry->in_earlier_files};
}

void OccurrenceTable::startFile()
{
    table_.forEach([](Entry& entry) {
        entry.in_earlier_files = std::max(entry.in_earlier_files, entry.in_file);
        entry.in_file = 0;
    });
}

}  // namespace velmora::record
