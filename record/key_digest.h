#pragma once
// A fixed-size digest of a booking key's fields, so that a million bookings
// are judged against the record without building a million key strings. Two
// different keys may share a digest; whoever finds a digest equal compares
// the full key before acting on it.
#include <array>
#include <cstdint>
#include <string_view>

namespace velmora::record {

// The texts a key is made of, in its order: date, amount, direction
// («Ausgabe» or «Einnahme»), payee, memo.
using KeyFields = std::array<std::string_view, 5>;

struct KeyDigest {
    std::uint64_t high = 0;
    std::uint64_t low = 0;
    friend bool operator==(const KeyDigest&, const KeyDigest&) = default;
};

// 128 bits of the fields, each field's length taken in, so that no two ways
// of cutting the same bytes into fields give one digest by construction.
KeyDigest KeyDigestOf(const KeyFields& fields);

// Tests give one that makes digests collide.
using DigestFunction = KeyDigest (*)(const KeyFields&);

}  // namespace velmora::record
