#include "cli/preview_formats.h"

#include <array>
#include <cstdint>
#include <cstring>

namespace velmora::cli {

namespace {

constexpr std::array<std::string_view, 9> csv_header = {
    "Datum", "Datum (2)", "Betrag in Cent", "Von Konto", "An Konto", "Kategorie", "Empfänger", "Memo", "Leer"};

bool needsJsonEscape(unsigned char c) { return c < 0x20 || c == '"' || c == '\\'; }

// Whether any of the eight bytes in `word` needs escaping: a control
// character, a quote or a backslash (the usual bit tricks: a byte below n, a
// byte equal to n). Bytes of UTF-8 sequences never match.
bool wordNeedsJsonEscape(std::uint64_t word)
{
    constexpr std::uint64_t ones = 0x0101010101010101ULL;
    constexpr std::uint64_t highs = 0x8080808080808080ULL;
    const auto below = [&](unsigned char n) { return (word - ones * n) & ~word & highs; };
    const auto equal = [&](unsigned char n) {
        const std::uint64_t x = word ^ (ones * n);
        return (x - ones) & ~x & highs;
    };
    return (below(0x20) | equal('"') | equal('\\')) != 0;
}

// Where the first byte that needs escaping stands, or the text's size. Most
// texts need none, so they are looked at eight bytes at a time.
std::size_t firstNeedingEscape(std::string_view text)
{
    std::size_t i = 0;
    for (; i + 8 <= text.size(); i += 8) {
        std::uint64_t word;
        std::memcpy(&word, text.data() + i, sizeof word);
        if (wordNeedsJsonEscape(word))
            break;
    }
    while (i < text.size() && !needsJsonEscape(static_cast<unsigned char>(text[i])))
        ++i;
    return i;
}

void appendJsonEscape(std::string& out, unsigned char c)
{
    switch (c) {
    case '"': out += "\\\""; return;
    case '\\': out += "\\\\"; return;
    case '\n': out += "\\n"; return;
    case '\r': out += "\\r"; return;
    case '\t': out += "\\t"; return;
    default: {
        constexpr std::string_view hex = "0123456789abcdef";
        const char escape[] = {'\\', 'u', '0', '0', hex[c >> 4], hex[c & 0xF]};
        out.append(escape, sizeof escape);
    }
    }
}

// Texts are valid UTF-8 already; only what JSON forbids in a string is escaped.
void appendJsonString(std::string& out, std::string_view text)
{
    for (std::size_t plain = firstNeedingEscape(text); plain < text.size(); plain = firstNeedingEscape(text)) {
        out.append(text.substr(0, plain));
        appendJsonEscape(out, static_cast<unsigned char>(text[plain]));
        text.remove_prefix(plain + 1);
    }
    out.append(text);
}

void appendCsvField(std::string& out, std::string_view text)
{
    if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
        out += text;
        return;
    }
    out += '"';
    for (char c : text) {
        if (c == '"')
            out += '"';
        out += c;
    }
    out += '"';
}

template <class Texts>
void appendCsvLine(std::string& out, const Texts& texts)
{
    bool first = true;
    for (std::string_view text : texts) {
        if (!first)
            out += ',';
        appendCsvField(out, text);
        first = false;
    }
    out += "\r\n";
}

}  // namespace

void AppendJsonLine(std::string& out, const import::BookingArguments& booking)
{
    out.append("[\"", 2);
    for (std::size_t i = 0; i < booking.size(); ++i) {
        if (i > 0)
            out.append("\",\"", 3);
        appendJsonString(out, booking[i]);
    }
    out.append("\"]\n", 3);
}

void AppendCsvHeader(std::string& out)
{
    appendCsvLine(out, csv_header);
}

void AppendCsvRecord(std::string& out, const import::BookingArguments& booking)
{
    appendCsvLine(out, booking);
}

}  // namespace velmora::cli
