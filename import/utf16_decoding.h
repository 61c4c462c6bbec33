#pragma once
// Text saved as UTF-16, as some Windows programs write it, turned into UTF-8.
#include <optional>
#include <string_view>

#include "import/text_buffer.h"

namespace velmora::import {

enum class ByteOrder { little_endian, big_endian };

// The byte order the bytes' UTF-16 byte-order mark (FF FE or FE FF) names, or
// nothing when they start with neither.
std::optional<ByteOrder> utf16_byte_order(std::string_view bytes);

// The UTF-16 text behind the two bytes of its mark, as UTF-8: a surrogate
// pair becomes its one character of four bytes. What no character can be
// read from (a surrogate without its partner, a last odd byte) becomes
// U+FFFD, the replacement character, so the user sees where the file is
// damaged. Line ends and NUL stay as they are, for the line splitter.
TextBuffer utf16_as_utf8(std::string_view bytes, ByteOrder order);

}  // namespace velmora::import
