// Lines as views into one shared text buffer.
#include "import/line_list.h"

#include <utility>

namespace velmora::import {

LineList::LineList(TextBuffer text, std::vector<std::size_t> ends) : text_(std::move(text)), ends_(std::move(ends)) {}

std::string_view LineList::operator[](std::size_t i) const {
    const std::size_t begin = i == 0 ? 0 : ends_[i - 1];
    return text_.view().substr(begin, ends_[i] - begin);
}

void LineList::append(std::string_view line) {
    text_.append(line);
    ends_.push_back(text_.size());
}

}  // namespace velmora::import
