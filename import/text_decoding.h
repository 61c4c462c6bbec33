#pragma once
// Which encoding a file's bytes are in, and how single bytes become UTF-8.
#include <cstddef>
#include <string_view>

#include "platform/utf8.h"

namespace velmora::import {

// Length of the well-formed UTF-8 multi-byte sequence that starts `bytes`
// (2 to 4), or 0 when none starts there.
inline std::size_t utf8_sequence_length(std::string_view bytes) {
    if (bytes.empty()) return 0;
    const text::Utf8Piece piece = text::FirstUtf8Piece(bytes);
    return piece.whole && piece.length > 1 ? piece.length : 0;
}

// A byte of 80-FF read as Windows-1252 (80-9F) or ISO 8859-1 (A0-FF), as UTF-8.
// The five bytes Windows-1252 leaves undefined keep their ISO 8859-1 code points.
std::string_view cp1252_as_utf8(unsigned char byte);

enum class SourceEncoding { utf8, latin1 };

struct EncodingChoice {
    SourceEncoding encoding = SourceEncoding::latin1;
    std::size_t byte_order_mark = 0;  // bytes of the mark at the start, to skip
    std::size_t growth = 0;           // how many bytes longer decoding can make the text
};

// UTF-8 when the bytes start with the byte-order mark, or are well-formed
// UTF-8 holding at least one multi-byte sequence; otherwise Latin-1. In a
// marked file a byte outside any well-formed sequence is read as Latin-1.
EncodingChoice choose_encoding(std::string_view bytes);

}  // namespace velmora::import
