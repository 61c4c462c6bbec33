#include "app/cli/sent_keys.h"

#include "app/cli/booking_key.h"

namespace velmora::cli {

void SentKeys::note(std::string_view key, const LastEvent& event, DigestFunction digest_of)
{
    const auto parts = PartsOfKey(key);
    const auto digest = parts ? DigestOfCombination(parts->combination, digest_of) : std::nullopt;
    if (!digest)
        return;
    Key* known = table_.find(*digest, [&](const Key& candidate) {
        return candidate.occurrence == parts->occurrence && candidate.combination == parts->combination;
    });
    if (known != nullptr)
        known->last = event;
    else
        table_.add(*digest, {parts->combination, parts->occurrence, event});
}

const LastEvent* SentKeys::last(const KeyFields& fields, const KeyDigest& combination, unsigned occurrence) const
{
    const Key* key = table_.find(combination, [&](const Key& candidate) {
        return candidate.occurrence == occurrence && CombinationMatches(candidate.combination, fields);
    });
    return key != nullptr ? &key->last : nullptr;
}

const LastEvent* SentKeys::last(std::string_view key, DigestFunction digest_of) const
{
    const auto parts = PartsOfKey(key);
    const auto digest = parts ? DigestOfCombination(parts->combination, digest_of) : std::nullopt;
    if (!digest)
        return nullptr;
    const Key* found = table_.find(*digest, [&](const Key& candidate) {
        return candidate.occurrence == parts->occurrence && candidate.combination == parts->combination;
    });
    return found != nullptr ? &found->last : nullptr;
}

}  // namespace velmora::cli
