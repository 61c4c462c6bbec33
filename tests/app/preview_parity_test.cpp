// The JSON preview shows exactly the bookings the window sends: for every file
// of the shared corpus, under every combination of the four options, the
// program's preview equals the booking run the window makes with its boxes
// ticked the same way.
#include <array>
#include <cstdlib>

#include "import/file_reader.h"
#include "tests/app/import_program.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

constexpr std::array<std::pair<const char*, import::Option>, 4> flags{{
    {"--kategorien", import::Option::mit_kat},
    {"--monat-tag", import::Option::monat_tag},
    {"--gegenkonto", import::Option::kat_konto},
    {"--ohne-umbuchungen", import::Option::kat_gleich},
}};

std::vector<fs::path> corpusFiles()
{
    std::vector<fs::path> files;
    if (fs::is_directory(VELMORA_QIF_CORPUS))
        for (const auto& entry : fs::recursive_directory_iterator(VELMORA_QIF_CORPUS))
            if (entry.path().extension() == ".qif")
                files.push_back(entry.path());
    std::sort(files.begin(), files.end());
    return files;
}

// What the window sends for the file with the boxes ticked as `bits` says.
std::vector<import::BookingArguments> windowBookings(const fs::path& file, unsigned bits)
{
    std::vector<import::BookingArguments> sent;
    const auto lines = import::read_lines(file).lines;
    const import::RunContext run{"Girokonto",
                                 [bits](import::Option o) { return (bits >> static_cast<unsigned>(o)) & 1u; },
                                 [&sent](const import::BookingArguments& b) { sent.push_back(b); }, {}};
    import::buchung_erzeugen(lines, lines.upper_bound(), run);
    return sent;
}

class PreviewParity : public ImportProgramTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(PreviewParity, JsonPreviewIsWhatTheWindowSends)
{
    const std::vector<fs::path> files = corpusFiles();
    if (files.empty()) {
        const char* required = std::getenv("VELMORA_REQUIRE_CORPUS");
        if (required != nullptr && std::string_view(required) == "1")
            FAIL() << "QIF corpus missing: " << VELMORA_QIF_CORPUS;
        GTEST_SKIP() << "QIF corpus not on this machine: " << VELMORA_QIF_CORPUS;
    }
    std::vector<std::string> arguments{"--konto", "Girokonto", "--vorschau", "--format", "json"};
    std::vector<import::BookingArguments> expected;
    for (const auto& [flag, option] : flags)
        if ((GetParam() >> static_cast<unsigned>(option)) & 1u)
            arguments.emplace_back(flag);
    for (const fs::path& file : files) {
        arguments.push_back(file.string());
        for (auto& booking : windowBookings(file, GetParam()))
            expected.push_back(std::move(booking));
    }

    const process::Outcome preview = run(arguments);

    EXPECT_EQ(preview.exit_status, 0) << preview.error_output;
    EXPECT_EQ(DecodeJsonLines(preview.standard_output), expected);
    EXPECT_GT(expected.size(), 500u);
}

INSTANTIATE_TEST_SUITE_P(ImportProgram, PreviewParity, ::testing::Range(0u, 16u));

}  // namespace
}  // namespace velmora::testing
