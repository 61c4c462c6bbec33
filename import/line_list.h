#pragma once
// The line list: the loaded file's lines, held compactly (one text buffer and
// the end offset of every line) so that millions of lines cost little memory.
// No line holds a line end, and the reader has removed trailing white space.
#include <cstddef>
#include <cstdint>
#include <string_view>
#include <vector>

#include "import/text_buffer.h"

namespace velmora::import {

class LineList {
public:
    LineList() = default;
    // Takes over text already laid out line after line; ends[i] is the offset
    // just behind line i, ascending, the last one at most text.size().
    LineList(TextBuffer text, std::vector<std::size_t> ends);

    // Number of lines minus one; -1 when empty.
    std::int64_t upper_bound() const { return static_cast<std::int64_t>(ends_.size()) - 1; }
    std::size_t size() const { return ends_.size(); }
    bool empty() const { return ends_.empty(); }
    // Line i (0-based, i < size()) without its line end.
    std::string_view operator[](std::size_t i) const;

    void append(std::string_view line);

private:
    TextBuffer text_;
    std::vector<std::size_t> ends_;
};

}  // namespace velmora::import
