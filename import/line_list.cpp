// Lines as views into one shared text buffer.
#include "import/line_list.h"

#include <utility>

#include "import/text_buffer.h"

namespace velmora::import {

namespace {
constexpr std::size_t narrow_limit = std::numeric_limits<std::uint32_t>::max();
}

void LineEnds::reserve(std::size_t lines, std::size_t text_size) {
    if (text_size > narrow_limit) widen();
    if (is_wide_) {
        wide_.reserve(lines);
        return;
    }
    narrow_.reserve(lines);
    advise_huge_pages(narrow_.data(), narrow_.capacity() * sizeof(std::uint32_t));
}

void LineEnds::widen() {
    if (is_wide_) return;
    wide_.reserve(narrow_.capacity());
    wide_.assign(narrow_.begin(), narrow_.end());
    narrow_ = {};
    is_wide_ = true;
}

LineList::LineList(TextBuffer text, LineEnds ends) : text_(std::move(text)), ends_(std::move(ends)) {}

}  // namespace velmora::import
