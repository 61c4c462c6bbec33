#pragma once
// The line list: the loaded file's lines, held compactly (one text buffer and
// the end offset of every line) so that millions of lines cost little memory.
// No line holds a line end, and the reader has removed trailing white space.
#include <cstddef>
#include <cstdint>
#include <limits>
#include <string_view>
#include <vector>

#include "import/text_buffer.h"

namespace velmora::import {

// End offsets of lines in one text: four bytes each while the text is below
// 4 GiB (any real file), eight bytes beyond.
class LineEnds {
public:
    void reserve(std::size_t lines, std::size_t text_size);
    void push_back(std::size_t end) {
        if (end > std::numeric_limits<std::uint32_t>::max()) widen();
        if (is_wide_)
            wide_.push_back(end);
        else
            narrow_.push_back(static_cast<std::uint32_t>(end));
    }
    std::size_t operator[](std::size_t i) const { return is_wide_ ? wide_[i] : narrow_[i]; }
    std::size_t size() const { return is_wide_ ? wide_.size() : narrow_.size(); }

private:
    void widen();

    bool is_wide_ = false;
    std::vector<std::uint32_t> narrow_;
    std::vector<std::size_t> wide_;
};

class LineList {
public:
    LineList() = default;
    // Takes over text already laid out line after line; ends[i] is the offset
    // just behind line i, ascending, the last one at most text.size().
    LineList(TextBuffer text, LineEnds ends);

    // Number of lines minus one; -1 when empty.
    std::int64_t upper_bound() const { return static_cast<std::int64_t>(size()) - 1; }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return size() == 0; }
    // Line i (0-based, i < size()) without its line end.
    std::string_view operator[](std::size_t i) const {
        const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
        return {text_.data() + begin, ends_[i] - begin};
    }

private:
    TextBuffer text_;
    LineEnds ends_;
};

}  // namespace velmora::import
