// Files into lines: encodings, line ends, trimming, and files that cannot be read.
#include <gtest/gtest.h>
#include <iconv.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <fstream>

#include "booking_helpers.h"
#include "import/utf16_decoding.h"

namespace velmora::import {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string_view>;
using namespace std::string_view_literals;

Lines all_lines(const LineList& list) {
    Lines out;
    for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list[i]);
    return out;
}

struct LinesRow {
    std::string_view name, bytes;
    Lines expected;
};

TEST(Reader, SplitsTrimsAndDecodes) {
    const LinesRow rows[] = {
        {"empty file", "", {""}},
        {"final line end", "A\nB\n", {"A", "B"}},
        {"no final line end", "A\nB", {"A", "B"}},
        {"CR LF and lone CR", "A\r\nB\rC\n\r\nD", {"A", "B", "C", "", "D"}},
        {"blank lines and leading blanks kept", "\n \t\n  ^ \v\f\t \n", {"", "", "  ^"}},
        {"NUL dropped", "a\0b\n\0"sv, {"ab", ""}},
        {"UTF-8 without mark", "caf\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x92\xB6\nx", {"café € 💶", "x"}},
        {"invalid UTF-8 is Latin-1", "\xC3\xA9 \xE4", {"Ã© ä"}},
        {"surrogate is Latin-1", "\xED\xA0\x80", {"í\xC2\xA0€"}},
        {"bytes Windows-1252 leaves undefined", "\x81\x8D\x8F\x90\x9D", {"\xC2\x81\xC2\x8D\xC2\x8F\xC2\x90\xC2\x9D"}},
        // In a marked file each byte outside a well-formed sequence is one Latin-1 character.
        {"marked: mark dropped, stray byte", "\xEF\xBB\xBF\xC3\xA9\xE4", {"éä"}},
        {"marked: 4-byte lead, then no continuation", "\xEF\xBB\xBF\xF0\x9F\x41", {"ðŸA"}},
        {"marked: 3-byte lead, then C0", "\xEF\xBB\xBF\xE2\xC0\x80|\xE2\x82\xBF", {"âÀ€|₿"}},
        {"marked: lowest and highest 4-byte", "\xEF\xBB\xBF\xF0\x90\x80\x80|\xF4\x8F\xBF\xBF|\xF4\x90\x80\x80",
         {"\xF0\x90\x80\x80|\xF4\x8F\xBF\xBF|ô\xC2\x90€€"}},
        {"marked: 3-byte limits", "\xEF\xBB\xBF\xE0\xA0\x80|\xE0\x9F\xBF|\xED\x9F\xBF",
         {"\xE0\xA0\x80|à\xC5\xB8¿|\xED\x9F\xBF"}},
        {"marked: 2-byte limits", "\xEF\xBB\xBF\xC2\x80|\xDF\xBF|\xC1\xBF", {"\xC2\x80|\xDF\xBF|Á¿"}},
    };
    for (const auto& row : rows) EXPECT_EQ(all_lines(lines_from_bytes(row.bytes)), row.expected) << row.name;
}

// The text in UTF-16 with its byte-order mark, then `tail` as it is.
std::string utf16(std::u16string_view text, ByteOrder order, std::string_view tail = "") {
    const bool little = order == ByteOrder::little_endian;
    std::string bytes = little ? "\xFF\xFE" : "\xFE\xFF";
    for (const char16_t unit : text) {
        const char low = static_cast<char>(unit & 0xFF), high = static_cast<char>(unit >> 8);
        bytes += little ? std::string{low, high} : std::string{high, low};
    }
    return bytes.append(tail);
}

struct Utf16Row {
    std::string_view name;
    std::u16string_view text;
    Lines expected;
    std::string_view tail = "";
};

// Every character as written, surrogate pairs joined, a line end counted once.
TEST(Reader, DecodesUtf16InEitherByteOrder) {
    const Utf16Row rows[] = {
        {"LF", u"!Type:Bank\nPMüller & Söhne €\nMKaffee „gut“\nT-1.234,56 €\n",
         {"!Type:Bank", "PMüller & Söhne €", "MKaffee „gut“", "T-1.234,56 €"}},
        {"CR LF", u"D01.03.2026\r\nT-1.234,56 € \r\nTabc\r\n\r\n^\r\n", {"D01.03.2026", "T-1.234,56 €", "Tabc", "", "^"}},
        {"outside the BMP", u"P💶\U0010FFFF\r\nMä", {"P💶\U0010FFFF", "Mä"}},
        {"unpaired surrogates", u"a\xDC00" u"b\xD83D\r\nc\xD800\xD800\xDC00\xDBFF\xE000",
         {"a\uFFFDb\uFFFD", "c\uFFFD\U00010000\uFFFD\uE000"}},
        {"lengths in UTF-8", u"\x7F\x80\u07FF\u0800\uFFFF", {"\x7F\u0080\u07FF\u0800\uFFFF"}},
        {"high surrogate last", u"a\xD800", {"a\uFFFD"}},
        {"odd last byte", u"€€", {"€€\uFFFD"}, "x"},
        {"mark only", u"", {""}},
        {"second mark", u"\uFEFF!Type:Bank", {"!Type:Bank"}},
    };
    for (const auto& row : rows)
        for (const ByteOrder order : {ByteOrder::little_endian, ByteOrder::big_endian})
            EXPECT_EQ(all_lines(lines_from_bytes(utf16(row.text, order, row.tail))), row.expected)
                << row.name << (order == ByteOrder::big_endian ? ", big-endian" : ", little-endian");
}

// The bytes 80-FF of a file that is no UTF-8 read as Windows-1252 does. Where
// Windows-1252 defines a byte, the system's own conversion says what it means.
// The five bytes it leaves undefined keep their ISO 8859-1 code points, the
// C1 controls: conversions disagree there (glibc's refuses them, macOS's
// writes "?"), so they are no yardstick.
TEST(Reader, ReadsHighBytesAsWindows1252) {
    constexpr std::array<unsigned char, 5> undefined = {0x81, 0x8D, 0x8F, 0x90, 0x9D};  // rows of the table above
    const iconv_t cp1252 = iconv_open("UTF-8", "CP1252");
    ASSERT_NE(cp1252, reinterpret_cast<iconv_t>(-1));
    for (int byte = 0x80; byte <= 0xFF; ++byte) {
        if (std::ranges::find(undefined, byte) != undefined.end()) continue;
        char in[] = {static_cast<char>(byte)}, out[8] = {};
        char *from = in, *to = out;
        std::size_t in_left = 1, out_left = sizeof out;
        ASSERT_EQ(iconv(cp1252, &from, &in_left, &to, &out_left), 0u) << std::hex << byte;
        EXPECT_EQ(lines_from_bytes("x" + std::string(in, 1) + "x")[0], "x" + std::string(out, to) + "x") << std::hex << byte;
    }
    iconv_close(cp1252);
}

fs::path written(std::string_view bytes) {
    const fs::path file = fs::temp_directory_path() / ("velmora-read-" + std::to_string(::getpid()) + ".qif");
    std::ofstream(file, std::ios::binary) << bytes;
    return file;
}

// A NUL byte marks a picture, a PDF or random bytes; UTF-16 text holds them
// too, but starts with its mark. Any other file reads like its bytes in
// memory, whether decoding in the file's own buffer adds few bytes or more
// than the room kept for it.
TEST(Reader, ReadsFilesLikeBytesInMemoryAndRefusesBinaryData) {
    const std::pair<std::string, ReadStatus> rows[] = {
        {std::string("!Type:Bank\nD01.03.2026\nT-5,00\n\0\nPBank\n^\n"sv), ReadStatus::binary},
        {std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR"sv), ReadStatus::binary},
        {std::string(1, '\0'), ReadStatus::binary},
        {"D01.03.2026\nXunbekannt\nT5\n^\n", ReadStatus::read},  // no header, a line nobody knows
        {std::string(5000, '\xE4') + "\r\n\x80 x \n", ReadStatus::read},
        {std::string(5000, 'a') + "\xFC\n\xE4  \rb", ReadStatus::read},
        {"\xEF\xBB\xBF" + std::string(3000, 'x') + "\xC3\xA9\xFF\n", ReadStatus::read},
        {utf16(u"P\u20AC\r\n^", ByteOrder::big_endian), ReadStatus::read},
        {std::string(), ReadStatus::read},
    };
    for (const auto& [bytes, status] : rows) {
        const fs::path file = written(bytes);
        const auto result = read_lines(file);
        fs::remove(file);
        EXPECT_EQ(result.status, status) << bytes.size() << " bytes";
        EXPECT_EQ(all_lines(result.lines), status == ReadStatus::read ? all_lines(lines_from_bytes(bytes)) : Lines{})
            << bytes.size() << " bytes";
    }
    EXPECT_EQ(read_failure_message(ReadStatus::binary, "/a/bild.png"),
              "Datei »/a/bild.png« ist keine QIF-Datei (sie enthält Binärdaten).");
}

TEST(Reader, TellsMissingFromUnreadable) {
    EXPECT_EQ(read_lines("/no-such-file.qif").status, ReadStatus::missing);
    EXPECT_EQ(read_lines("/dev/null/x.qif").status, ReadStatus::missing);
    const auto folder = read_lines(fs::temp_directory_path());
    EXPECT_EQ(folder.status, ReadStatus::unreadable);
    EXPECT_TRUE(folder.lines.empty());
    EXPECT_EQ(read_failure_message(ReadStatus::missing, "/a/b.qif"), "Datei /a/b.qif ist nicht vorhanden");
    EXPECT_EQ(read_failure_message(ReadStatus::unreadable, "/a"), "Datei /a kann nicht gelesen werden");
}

}  // namespace
}  // namespace velmora::import
