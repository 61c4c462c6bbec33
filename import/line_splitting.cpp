// Decoding and splitting happen in one forward pass over the file's own
// buffer. The undecoded bytes stand at least as far from the buffer's start as
// decoding adds bytes, so the text written never overtakes the bytes still to
// be read. UTF-16 text alone is decoded first, into a buffer of its own.
#include "import/line_splitting.h"

#include <cstdint>
#include <cstring>
#include <utility>

#include "import/text_decoding.h"
#include "import/utf16_decoding.h"

namespace velmora::import {

namespace {

bool is_trailing_space(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

// How many bytes of the word equal `byte`, eight at a time without a branch.
std::size_t count_equal(std::uint64_t word, char byte) {
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t low7 = 0x7F7F7F7F7F7F7F7FULL;
    const std::uint64_t x = word ^ (ones * static_cast<unsigned char>(byte));
    const std::uint64_t equal_bytes = ~(((x & low7) + low7) | x | low7) >> 7;  // 1 in each equal byte
    return static_cast<std::size_t>((equal_bytes * ones) >> 56);
}

// LF, lone CR and CR LF each end one line.
std::size_t count_line_ends(std::string_view bytes) {
    std::size_t lf = 0, cr = 0, i = 0;
    for (; i + 8 <= bytes.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, bytes.data() + i, sizeof word);
        lf += count_equal(word, '\n');
        cr += count_equal(word, '\r');
    }
    for (; i < bytes.size(); ++i) lf += bytes[i] == '\n', cr += bytes[i] == '\r';
    if (cr == 0) return lf;
    std::size_t cr_lf = 0;
    for (auto at = bytes.find("\r\n"); at != std::string_view::npos; at = bytes.find("\r\n", at + 2)) ++cr_lf;
    return lf + cr - cr_lf;
}

class Splitter {
public:
    Splitter(char* text, const std::function<void()>& yield) : text_(text), yield_(yield) {}

    void put(char c) { text_[written_++] = c; }
    // Byte by byte: a sequence is at most four bytes, and may overlap where it came from.
    void put(std::string_view s) {
        for (char c : s) text_[written_++] = c;
    }

    void end_line(LineEnds& ends) {
        while (written_ > line_start_ && is_trailing_space(text_[written_ - 1])) --written_;
        ends.push_back(written_);
        line_start_ = written_;
        if (yield_ && ends.size() % lines_per_yield == 0) yield_();
    }

    std::size_t written() const { return written_; }

private:
    char* text_;
    const std::function<void()>& yield_;
    std::size_t written_ = 0;
    std::size_t line_start_ = 0;
};

}  // namespace

LineList split_lines(TextBuffer buffer, std::size_t start, const std::function<void()>& yield) {
    // Decoded, UTF-16 text is well-formed UTF-8, which passes unchanged below;
    // a second mark right after the first, as joined files have, goes too.
    if (const auto order = utf16_byte_order(buffer.view().substr(start)))
        return split_lines(utf16_as_utf8(buffer.view().substr(start), *order), 0, yield);
    const std::size_t size = buffer.size() - start;
    const EncodingChoice choice = choose_encoding(buffer.view().substr(start));
    LineEnds ends;
    ends.reserve(count_line_ends(buffer.view().substr(start)) + 1, size + choice.growth);
    if (start < choice.growth) {
        buffer.resize(choice.growth + size);
        std::memmove(buffer.data() + choice.growth, buffer.data() + start, size);
        start = choice.growth;
    }
    const std::string_view in(buffer.data() + start, size);
    const bool utf8 = choice.encoding == SourceEncoding::utf8;

    Splitter out(buffer.data(), yield);
    bool line_open = false;
    for (std::size_t i = choice.byte_order_mark; i < in.size();) {
        const char c = in[i];
        const auto byte = static_cast<unsigned char>(c);
        line_open = true;
        if (c == '\n' || c == '\r') {
            out.end_line(ends);
            line_open = false;
            i += (c == '\r' && i + 1 < in.size() && in[i + 1] == '\n') ? 2 : 1;
        } else if (byte < 0x80) {
            if (c != '\0') out.put(c);
            ++i;
        } else if (const std::size_t sequence = utf8 ? utf8_sequence_length(in.substr(i, 4)) : 0; sequence > 0) {
            out.put(in.substr(i, sequence));
            i += sequence;
        } else {
            out.put(cp1252_as_utf8(byte));
            ++i;
        }
    }
    if (line_open || ends.size() == 0) out.end_line(ends);
    buffer.resize(out.written());
    return LineList(std::move(buffer), std::move(ends));
}

}  // namespace velmora::import
