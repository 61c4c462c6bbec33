#include "record/key_digest.h"

#include <cstring>

namespace velmora::record {

namespace {

// Odd constants with well-spread bits, one for each place a word is mixed in,
// so that equal texts in different fields give different digests.
constexpr std::uint64_t mixers[] = {0xa0761d6478bd642fULL, 0xe7037ed1a0b428dbULL, 0x8ebc6af09c88c6e3ULL,
                                    0x589965cc75374cc3ULL, 0x1d8e4e27c47d124fULL, 0x9e3779b97f4a7c15ULL};

// GCC and Clang on every 64-bit platform have it; __extension__ says so to -Wpedantic.
__extension__ using Product = unsigned __int128;

// The full 128-bit product folded to 64 bits: every input bit reaches every
// output bit, at the price of one multiplication.
std::uint64_t folded(std::uint64_t x, std::uint64_t y)
{
    const Product product = static_cast<Product>(x) * y;
    return static_cast<std::uint64_t>(product) ^ static_cast<std::uint64_t>(product >> 64);
}

std::uint64_t word(const char* bytes)
{
    std::uint64_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

std::uint64_t halfWord(const char* bytes)
{
    std::uint32_t value;
    std::memcpy(&value, bytes, sizeof value);
    return value;
}

// Up to sixteen bytes as two words, read without a loop: longer texts from
// both ends, overlapping; with the length mixed in, that is unambiguous.
std::uint64_t shortFieldHash(std::string_view text, std::uint64_t seed)
{
    const char* bytes = text.data();
    const std::size_t size = text.size();
    std::uint64_t first = 0, second = 0;
    if (size >= 8) {
        first = word(bytes);
        second = word(bytes + size - 8);
    } else if (size >= 4) {
        first = halfWord(bytes);
        second = halfWord(bytes + size - 4);
    } else if (size > 0) {
        const auto byte = [&](std::size_t i) { return std::uint64_t{static_cast<unsigned char>(bytes[i])}; };
        first = byte(0) << 16 | byte(size / 2) << 8 | byte(size - 1);
    }
    return folded(first ^ mixers[0] ^ size, second ^ seed);
}

// Sixteen bytes per multiplication; most fields take one.
std::uint64_t fieldHash(std::string_view text)
{
    std::uint64_t seed = mixers[1];
    for (; text.size() > 16; text.remove_prefix(16))
        seed = folded(word(text.data()) ^ mixers[2], word(text.data() + 8) ^ seed);
    return shortFieldHash(text, seed ^ text.size());
}

}  // namespace

// Each field on its own, then the five mixed pairwise: the multiplications
// do not wait for one another.
KeyDigest KeyDigestOf(const KeyFields& fields)
{
    std::uint64_t h[5];
    for (std::size_t i = 0; i < 5; ++i)
        h[i] = fieldHash(fields[i]);
    const std::uint64_t low = folded(h[0] ^ mixers[0], h[1] ^ mixers[1]) ^ folded(h[2] ^ mixers[2], h[3] ^ mixers[3])
                              ^ folded(h[4] ^ mixers[4], mixers[5]);
    const std::uint64_t high = folded(h[0] ^ mixers[5], h[2] ^ mixers[4]) ^ folded(h[1] ^ mixers[3], h[4] ^ mixers[2])
                               ^ folded(h[3] ^ mixers[1], low ^ mixers[0]);
    return {high, low};
}

}  // namespace velmora::record
