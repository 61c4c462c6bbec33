// UTF-16 files are rare and small, so they are decoded into a buffer of their
// own before the lines are split; the in-place path of every other file stays
// as it is.
#include "import/utf16_decoding.h"

#include <algorithm>
#include <cstddef>

namespace velmora::import {

namespace {

constexpr std::size_t mark_size = 2;
constexpr char32_t replacement_character = 0xFFFD;
// A UTF-16 unit of two bytes takes at most three in UTF-8; a surrogate pair
// of four bytes takes four.
constexpr std::size_t most_utf8_bytes_per_unit = 3;

bool is_high_surrogate(char32_t unit) { return unit >= 0xD800 && unit <= 0xDBFF; }
bool is_low_surrogate(char32_t unit) { return unit >= 0xDC00 && unit <= 0xDFFF; }

class Utf16Units {
public:
    Utf16Units(std::string_view bytes, ByteOrder order) : bytes_(bytes), order_(order) {}

    bool done() const { return at_ >= bytes_.size(); }
    // A last odd byte is a unit of its own, which no character starts with.
    bool next_is_whole() const { return at_ + 1 < bytes_.size(); }
    char32_t peek() const {
        const auto first = static_cast<unsigned char>(bytes_[at_]);
        const auto second = static_cast<unsigned char>(bytes_[at_ + 1]);
        return order_ == ByteOrder::little_endian ? char32_t(first | (second << 8)) : char32_t((first << 8) | second);
    }
    void skip() { at_ += next_is_whole() ? 2 : 1; }

private:
    std::string_view bytes_;
    ByteOrder order_;
    std::size_t at_ = 0;
};

// The next character, with its surrogate pair joined.
char32_t next_character(Utf16Units& units) {
    if (!units.next_is_whole()) {
        units.skip();
        return replacement_character;
    }
    const char32_t unit = units.peek();
    units.skip();
    if (is_low_surrogate(unit)) return replacement_character;
    if (!is_high_surrogate(unit)) return unit;
    // An unpaired high surrogate leaves what follows it to be read on its own.
    if (!units.next_is_whole() || !is_low_surrogate(units.peek())) return replacement_character;
    const char32_t low = units.peek();
    units.skip();
    return 0x10000 + ((unit - 0xD800) << 10) + (low - 0xDC00);
}

class Utf8Writer {
public:
    explicit Utf8Writer(char* out) : out_(out) {}

    void put(char32_t c) {
        if (c < 0x80) {
            byte(c);
        } else if (c < 0x800) {
            byte(0xC0 | (c >> 6));
            continuation(c);
        } else if (c < 0x10000) {
            byte(0xE0 | (c >> 12));
            continuation(c >> 6);
            continuation(c);
        } else {
            byte(0xF0 | (c >> 18));
            continuation(c >> 12);
            continuation(c >> 6);
            continuation(c);
        }
    }
    std::size_t written() const { return written_; }

private:
    void byte(char32_t b) { out_[written_++] = static_cast<char>(b); }
    void continuation(char32_t bits) { byte(0x80 | (bits & 0x3F)); }

    char* out_;
    std::size_t written_ = 0;
};

}  // namespace

std::optional<ByteOrder> utf16_byte_order(std::string_view bytes) {
    if (bytes.starts_with("\xFF\xFE")) return ByteOrder::little_endian;
    if (bytes.starts_with("\xFE\xFF")) return ByteOrder::big_endian;
    return std::nullopt;
}

TextBuffer utf16_as_utf8(std::string_view bytes, ByteOrder order) {
    bytes.remove_prefix(std::min(mark_size, bytes.size()));
    TextBuffer text;
    text.resize((bytes.size() + 1) / 2 * most_utf8_bytes_per_unit);
    Utf8Writer out(text.data());
    for (Utf16Units units(bytes, order); !units.done();) out.put(next_character(units));
    text.resize(out.written());
    return text;
}

}  // namespace velmora::import
