#pragma once
// The one place that knows which bytes make a UTF-8 character. Overlong
// forms, surrogates and code points above U+10FFFF are no characters.
#include <cstddef>
#include <string>
#include <string_view>

namespace velmora::text {

// The first piece of `bytes` (not empty): a whole character of `length`
// bytes, or a broken one. A broken piece ends where its bytes stop fitting its
// lead byte and stands for one replacement character, as decoders commonly do.
struct Utf8Piece {
    std::size_t length;
    bool whole;
};
Utf8Piece FirstUtf8Piece(std::string_view bytes);

// Whether every piece of `bytes` is whole.
bool IsValidUtf8(std::string_view bytes);

// `bytes` with each broken piece replaced by U+FFFD: always valid UTF-8.
std::string LenientUtf8(std::string_view bytes);

}  // namespace velmora::text
