#pragma once
// Turning a file's bytes into the line list, decoding them in place.
#include <functional>

#include "import/line_list.h"
#include "import/text_buffer.h"

namespace velmora::import {

// Decodes the bytes (UTF-16 when they start with its byte-order mark,
// otherwise see choose_encoding) and splits them into lines at LF, CR LF and
// lone CR, dropping NUL bytes and each line's trailing white space.
// An empty input gives one empty line; a final line end adds no empty line.
// The bytes are those of `buffer` from `start` on; room in front of them saves
// moving them when decoding makes the text longer. The buffer becomes the
// list's text. `yield` (may be empty) is called after every lines_per_yield lines.
LineList split_lines(TextBuffer buffer, std::size_t start, const std::function<void()>& yield = {});

inline constexpr std::size_t lines_per_yield = 1 << 16;

}  // namespace velmora::import
