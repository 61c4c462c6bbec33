#include "app/cli/sent_keys.h"

#include "app/cli/booking_key.h"

namespace velmora::cli {

// A key that no booking could have (someone's edit, a damaged line) is left
// out: it can never stop a booking.
SentKeys::SentKeys(const SentRecord& record, std::string_view account, DigestFunction digest_of)
{
    const SentRecord::Keys* keys = record.keysOf(account);
    if (keys == nullptr)
        return;
    for (const auto& [key, last] : *keys) {
        const auto parts = PartsOfKey(key);
        const auto digest = parts ? DigestOfCombination(parts->combination, digest_of) : std::nullopt;
        if (!digest)
            continue;
        Combination* combination =
            table_.find(*digest, [&](const Combination& known) { return known.text == parts->combination; });
        if (combination == nullptr)
            combination = &table_.add(*digest, {parts->combination, {}});
        combination->occurrences.emplace_back(parts->occurrence, &last);
    }
}

const SentRecord::Last* SentKeys::Combination::last(unsigned occurrence) const
{
    for (const auto& [number, last] : occurrences)
        if (number == occurrence)
            return last;
    return nullptr;
}

const SentKeys::Combination* SentKeys::find(const KeyFields& fields, const KeyDigest& digest) const
{
    return table_.find(digest, [&](const Combination& known) { return CombinationMatches(known.text, fields); });
}

}  // namespace velmora::cli
