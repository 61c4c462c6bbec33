// Detecting UTF-8 and reading the other files as Windows-1252 / ISO 8859-1.
#include "import/text_decoding.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace velmora::import {

namespace {

constexpr std::string_view utf8_byte_order_mark = "\xEF\xBB\xBF";

// What Windows programs mean by bytes 80-9F in text they call Latin-1.
constexpr std::array<char32_t, 32> cp1252_80_to_9f = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

struct Utf8Char {
    std::array<char, 3> bytes{};
    std::size_t size = 0;
};

constexpr Utf8Char encode(char32_t c) {
    Utf8Char out;
    if (c < 0x800) {
        out.bytes = {static_cast<char>(0xC0 | (c >> 6)), static_cast<char>(0x80 | (c & 0x3F)), 0};
        out.size = 2;
    } else {
        out.bytes = {static_cast<char>(0xE0 | (c >> 12)), static_cast<char>(0x80 | ((c >> 6) & 0x3F)),
                     static_cast<char>(0x80 | (c & 0x3F))};
        out.size = 3;
    }
    return out;
}

constexpr std::array<Utf8Char, 128> make_high_byte_table() {
    std::array<Utf8Char, 128> table{};
    for (std::size_t i = 0; i < table.size(); ++i)
        table[i] = encode(i < cp1252_80_to_9f.size() ? cp1252_80_to_9f[i] : static_cast<char32_t>(0x80 + i));
    return table;
}

constexpr auto high_byte_table = make_high_byte_table();

// Offset of the first byte of 80-FF at or after `from`, or the size.
std::size_t next_high_byte(std::string_view bytes, std::size_t from) {
    constexpr std::uint64_t high_bits = 0x8080808080808080ULL;
    while (from + 8 <= bytes.size()) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + from, sizeof word);
        if (word & high_bits) break;
        from += 8;
    }
    while (from < bytes.size() && static_cast<unsigned char>(bytes[from]) < 0x80) ++from;
    return from;
}

}  // namespace

std::string_view cp1252_as_utf8(unsigned char byte) {
    const Utf8Char& c = high_byte_table[byte & 0x7F];
    return {c.bytes.data(), c.size};
}

EncodingChoice choose_encoding(std::string_view bytes) {
    const bool marked = bytes.starts_with(utf8_byte_order_mark);
    std::size_t multi_byte_sequences = 0;
    std::size_t invalid_growth = 0;
    std::size_t latin1_growth = 0;
    const std::size_t start = marked ? utf8_byte_order_mark.size() : 0;
    for (std::size_t i = next_high_byte(bytes, start); i < bytes.size(); i = next_high_byte(bytes, i)) {
        const auto byte = static_cast<unsigned char>(bytes[i]);
        const std::size_t latin1_extra = cp1252_as_utf8(byte).size() - 1;
        latin1_growth += latin1_extra;
        const std::size_t sequence = utf8_sequence_length(bytes.substr(i));
        if (sequence == 0) {
            invalid_growth += latin1_extra;
            ++i;
            continue;
        }
        ++multi_byte_sequences;
        for (std::size_t k = 1; k < sequence; ++k)
            latin1_growth += cp1252_as_utf8(static_cast<unsigned char>(bytes[i + k])).size() - 1;
        i += sequence;
    }
    if (marked) return {SourceEncoding::utf8, utf8_byte_order_mark.size(), invalid_growth};
    if (invalid_growth == 0 && multi_byte_sequences > 0) return {SourceEncoding::utf8, 0, 0};
    return {SourceEncoding::latin1, 0, latin1_growth};
}

}  // namespace velmora::import
