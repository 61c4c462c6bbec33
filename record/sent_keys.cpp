#include "record/sent_keys.h"

#include <optional>

#include "record/booking_key.h"

namespace velmora::record {

namespace {

// A key of the record taken apart, with the digest of its combination.
struct KnownKey {
    KeyParts parts;
    KeyDigest digest;
};

std::optional<KnownKey> knownKey(std::string_view key, DigestFunction digest_of)
{
    const auto parts = PartsOfKey(key);
    const auto digest = parts ? DigestOfCombination(parts->combination, digest_of) : std::nullopt;
    if (!digest)
        return std::nullopt;
    return KnownKey{*parts, *digest};
}

// Whether a noted key is this one: occurrence and combination alike.
auto sameKey(const KeyParts& parts)
{
    return [&parts](const auto& candidate) {
        return candidate.occurrence == parts.occurrence && candidate.combination == parts.combination;
    };
}

}  // namespace

void SentKeys::note(std::string_view key, const LastEvent& event, DigestFunction digest_of)
{
    const auto known = knownKey(key, digest_of);
    if (!known)
        return;
    if (Key* noted = table_.find(known->digest, sameKey(known->parts)))
        noted->last = event;
    else
        table_.add(known->digest, {known->parts.combination, known->parts.occurrence, event});
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
    const auto known = knownKey(key, digest_of);
    const Key* found = known ? table_.find(known->digest, sameKey(known->parts)) : nullptr;
    return found != nullptr ? &found->last : nullptr;
}

}  // namespace velmora::record
