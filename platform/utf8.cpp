#include "platform/utf8.h"

namespace velmora::text {

namespace {

constexpr std::string_view replacement_character = "\xEF\xBF\xBD";  // U+FFFD

// What a lead byte promises: the sequence's length and the range its second
// byte must lie in. The narrowed ranges rule out overlong forms, surrogates
// and code points above U+10FFFF. Length 0: the byte never starts a character.
struct LeadRule {
    std::size_t length;
    unsigned char second_low = 0x80;
    unsigned char second_high = 0xBF;
};

LeadRule rule_for(unsigned char lead) {
    if (lead < 0x80) return {1};
    if (lead >= 0xC2 && lead <= 0xDF) return {2};
    if (lead >= 0xE0 && lead <= 0xEF)
        return {3, static_cast<unsigned char>(lead == 0xE0 ? 0xA0 : 0x80),
                static_cast<unsigned char>(lead == 0xED ? 0x9F : 0xBF)};
    if (lead >= 0xF0 && lead <= 0xF4)
        return {4, static_cast<unsigned char>(lead == 0xF0 ? 0x90 : 0x80),
                static_cast<unsigned char>(lead == 0xF4 ? 0x8F : 0xBF)};
    return {0};
}

}  // namespace

Utf8Piece FirstUtf8Piece(std::string_view bytes) {
    const LeadRule rule = rule_for(static_cast<unsigned char>(bytes.front()));
    std::size_t fitting = 1;
    while (fitting < rule.length && fitting < bytes.size()) {
        const auto byte = static_cast<unsigned char>(bytes[fitting]);
        const unsigned char low = fitting == 1 ? rule.second_low : 0x80;
        const unsigned char high = fitting == 1 ? rule.second_high : 0xBF;
        if (byte < low || byte > high) break;
        ++fitting;
    }
    return {fitting, fitting == rule.length};
}

std::string LenientUtf8(std::string_view bytes) {
    std::string text;
    text.reserve(bytes.size());
    while (!bytes.empty()) {
        const Utf8Piece piece = FirstUtf8Piece(bytes);
        text.append(piece.whole ? bytes.substr(0, piece.length) : replacement_character);
        bytes.remove_prefix(piece.length);
    }
    return text;
}

// Lenient decoding changes exactly the broken pieces, whose bytes are never
// those of U+FFFD.
bool IsValidUtf8(std::string_view bytes) { return LenientUtf8(bytes) == bytes; }

}  // namespace velmora::text
