// Decoding and splitting happen in one forward pass over the file's own
// buffer. The undecoded bytes are first moved to its end, by exactly the
// number of bytes decoding adds, so the text written never overtakes the
// bytes still to be read.
#include "import/line_splitting.h"

#include <cstring>
#include <utility>

#include "import/text_decoding.h"

namespace velmora::import {

namespace {

bool is_trailing_space(char c) { return c == ' ' || c == '\t' || c == '\v' || c == '\f'; }

std::size_t count_line_ends(std::string_view bytes) {
    std::size_t ends = 0;
    for (std::size_t i = 0; i < bytes.size(); ++i) {
        const char c = bytes[i];
        ends += c == '\n' || (c == '\r' && (i + 1 == bytes.size() || bytes[i + 1] != '\n'));
    }
    return ends;
}

class Splitter {
public:
    Splitter(char* text, std::size_t line_ends, const std::function<void()>& yield) : text_(text), yield_(yield) {
        ends_.reserve(line_ends + 1);
    }

    void put(char c) { text_[written_++] = c; }
    void put(std::string_view s) {
        std::memmove(text_ + written_, s.data(), s.size());
        written_ += s.size();
    }

    void end_line() {
        while (written_ > line_start_ && is_trailing_space(text_[written_ - 1])) --written_;
        ends_.push_back(written_);
        line_start_ = written_;
        if (yield_ && ends_.size() % lines_per_yield == 0) yield_();
    }

    std::size_t written() const { return written_; }
    std::size_t lines() const { return ends_.size(); }
    std::vector<std::size_t> take_ends() { return std::move(ends_); }

private:
    char* text_;
    const std::function<void()>& yield_;
    std::size_t written_ = 0;
    std::size_t line_start_ = 0;
    std::vector<std::size_t> ends_;
};

}  // namespace

LineList split_lines(TextBuffer bytes, const std::function<void()>& yield) {
    const EncodingChoice choice = choose_encoding(bytes.view());
    const std::size_t size = bytes.size();
    const std::size_t line_ends = count_line_ends(bytes.view());
    if (choice.growth > 0) {
        bytes.resize(size + choice.growth);
        std::memmove(bytes.data() + choice.growth, bytes.data(), size);
    }
    Splitter out(bytes.data(), line_ends, yield);
    const std::string_view in(bytes.data() + choice.growth, size);
    const bool utf8 = choice.encoding == SourceEncoding::utf8;

    bool line_open = false;
    for (std::size_t i = choice.byte_order_mark; i < in.size();) {
        const char c = in[i];
        const auto byte = static_cast<unsigned char>(c);
        line_open = true;
        if (c == '\n' || c == '\r') {
            out.end_line();
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
    if (line_open || out.lines() == 0) out.end_line();
    bytes.resize(out.written());
    return LineList(std::move(bytes), out.take_ends());
}

}  // namespace velmora::import
