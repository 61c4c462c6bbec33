// Files into lines: encodings, line ends, trimming, and files that cannot be read.
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "booking_helpers.h"

namespace velmora::import {
namespace {

namespace fs = std::filesystem;
using Lines = std::vector<std::string_view>;

Lines all_lines(const LineList& list) {
    Lines out;
    for (std::size_t i = 0; i < list.size(); ++i) out.push_back(list[i]);
    return out;
}

struct LinesRow {
    std::string_view name;
    std::string_view bytes;
    Lines expected;
};

TEST(Reader, SplitsTrimsAndDecodes) {
    using namespace std::string_view_literals;
    const LinesRow rows[] = {
        {"empty file", "", {""}},
        {"final line end", "A\nB\n", {"A", "B"}},
        {"no final line end", "A\nB", {"A", "B"}},
        {"CR LF and lone CR", "A\r\nB\rC\n\r\nD", {"A", "B", "C", "", "D"}},
        {"blank lines kept", "\n \t\nx", {"", "", "x"}},
        {"leading blanks kept", "  ^  \n", {"  ^"}},
        {"NUL dropped", "a\0b\n\0"sv, {"ab", ""}},
        {"Latin-1", "B\xE4""cker \xA4", {"Bäcker ¤"}},
        {"Windows-1252 80-9F", "\x80 \x84x\x93 \x96 \x81", {"€ „x“ – \xC2\x81"}},
        {"UTF-8 without mark", "caf\xC3\xA9 \xE2\x82\xAC", {"café €"}},
        {"UTF-8 mark dropped", "\xEF\xBB\xBFx\n", {"x"}},
        {"stray byte in marked file", "\xEF\xBB\xBF\xC3\xA9\xE4", {"éä"}},
        {"invalid UTF-8 is Latin-1", "\xC3\xA9 \xE4", {"Ã© ä"}},
        {"overlong form is Latin-1", "\xC0\xAF", {"À¯"}},
        {"surrogate is Latin-1", "\xED\xA0\x80", {"í\xC2\xA0€"}},
    };
    for (const auto& row : rows) EXPECT_EQ(all_lines(lines_from_bytes(row.bytes)), row.expected) << row.name;
}

// The reader decodes in the file's own buffer; whether decoding adds few bytes
// or more than the room kept for it, the lines must come out the same.
TEST(Reader, ReadsFilesLikeBytesInMemory) {
    const std::string mostly_umlauts = std::string(5000, '\xE4') + "\r\n\x80 x \n";
    const std::string few_umlauts = std::string(5000, 'a') + "\xFC\n\xE4  \rb";
    const std::string utf8 = "\xEF\xBB\xBF" + std::string(3000, 'x') + "\xC3\xA9\xFF\n";
    for (const std::string& bytes : {mostly_umlauts, few_umlauts, utf8, std::string()}) {
        const fs::path file = fs::temp_directory_path() / ("velmora-read-" + std::to_string(::getpid()) + ".qif");
        std::ofstream(file, std::ios::binary) << bytes;
        const auto result = read_lines(file);
        fs::remove(file);
        ASSERT_EQ(result.status, ReadStatus::read);
        EXPECT_EQ(all_lines(result.lines), all_lines(lines_from_bytes(bytes))) << bytes.size() << " bytes";
    }
}

fs::path data_file(std::string_view name) { return fs::path(VELMORA_TEST_DATA) / name; }

struct FileRow {
    std::string_view file;
    std::size_t bookings;
    BookingArguments first;
};

TEST(Reader, BooksOurOwnSmallFiles) {
    const FileRow rows[] = {
        {"crlf-latin1-comma-decimal.qif", 1,
         {"31.12.2019", "31.12.2019", "123456", "Giro", "Unbekannt", "Lebensmittel", "Bäcker „Zum Korn“", "", ""}},
        {"utf8-bom-cr-million.qif", 1,
         {"25.01.2024", "25.01.2024", "123456789", "Unbekannt", "Giro", "Sonstiges", "Café €", "", ""}},
        {"utf8-split-no-final-caret.qif", 1,
         {"05.01.2005", "05.01.2005", "2550", "Giro", "Sparbuch", "[Sparbuch]", "Müller", "", ""}},
    };
    for (const auto& row : rows) {
        const auto result = read_lines(data_file(row.file));
        ASSERT_EQ(result.status, ReadStatus::read) << row.file;
        const auto sent = testing::book_lines(result.lines, {Option::mit_kat, Option::kat_konto});
        ASSERT_EQ(sent.size(), row.bookings) << row.file;
        EXPECT_EQ(sent[0], row.first) << row.file;
    }
}

TEST(Reader, TellsMissingFromUnreadable) {
    EXPECT_EQ(read_lines(data_file("no-such-file.qif")).status, ReadStatus::missing);
    EXPECT_EQ(read_lines(data_file("no-such-folder/x.qif")).status, ReadStatus::missing);
    const auto folder = read_lines(VELMORA_TEST_DATA);
    EXPECT_EQ(folder.status, ReadStatus::unreadable);
    EXPECT_TRUE(folder.lines.empty());
}

TEST(Reader, RefusesAFileWithoutReadPermission) {
    const fs::path file = fs::temp_directory_path() / ("velmora-locked-" + std::to_string(::getpid()) + ".qif");
    std::ofstream(file) << "T1.00\n^\n";
    fs::permissions(file, fs::perms::none);
    // Root reads a file whatever its permissions say; then there is nothing to refuse.
    const bool still_readable = ::access(file.c_str(), R_OK) == 0;
    const auto result = read_lines(file);
    fs::remove(file);
    if (still_readable) GTEST_SKIP() << "running with rights that ignore file permissions";
    EXPECT_EQ(result.status, ReadStatus::unreadable);
    EXPECT_TRUE(result.lines.empty());
}

}  // namespace
}  // namespace velmora::import
