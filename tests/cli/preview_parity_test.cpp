// The JSON preview shows exactly the bookings the window sends: for the whole
// corpus, under every combination of the four options, the program's preview
// equals the booking run the window makes with its boxes ticked the same way.
#include <cstdlib>

#include "cli/preview_formats.h"
#include "import/booking_run.h"
#include "import/file_reader.h"
#include "tests/cli/import_program.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* flags[] = {"--kategorien", "--monat-tag", "--gegenkonto", "--ohne-umbuchungen"};  // by Option

// Each booking the window's run makes, as a line of the preview.
void windowBookings(const fs::path& file, unsigned ticked, std::string& json_lines, std::size_t& count)
{
    const auto lines = import::read_lines(file).lines;
    const import::RunContext run{"Girokonto", [ticked](import::Option o) { return (ticked >> static_cast<int>(o)) & 1u; },
                                 [&](const import::BookingArguments& b) { cli::AppendJsonLine(json_lines, b), ++count; }, {}};
    import::buchung_erzeugen(lines, lines.upper_bound(), run);
}

class PreviewParity : public ImportProgramTest, public ::testing::WithParamInterface<unsigned> {};

TEST_P(PreviewParity, JsonPreviewIsWhatTheWindowSends)
{
    if (!fs::is_directory(VELMORA_QIF_CORPUS)) {
        if (std::getenv("VELMORA_REQUIRE_CORPUS") != nullptr)
            FAIL() << "QIF corpus missing: " << VELMORA_QIF_CORPUS;
        GTEST_SKIP() << "QIF corpus not on this machine: " << VELMORA_QIF_CORPUS;
    }
    std::vector<std::string> arguments{"--konto", "Girokonto", "--vorschau", "--format", "json"};
    for (int option = 0; option < 4; ++option)
        if ((GetParam() >> option) & 1u)
            arguments.emplace_back(flags[option]);
    std::string expected;
    std::size_t bookings = 0;
    for (const auto& entry : fs::recursive_directory_iterator(VELMORA_QIF_CORPUS)) {
        if (entry.path().extension() == ".qif") {
            arguments.push_back(entry.path().string());
            windowBookings(entry.path(), GetParam(), expected, bookings);
        }
    }
    const process::Outcome preview = run(arguments);
    EXPECT_EQ(preview.exit_status, 0) << preview.error_output;
    EXPECT_EQ(preview.standard_output, expected);
    EXPECT_GT(bookings, 500u);
}

INSTANTIATE_TEST_SUITE_P(ImportProgram, PreviewParity, ::testing::Range(0u, 16u));

}  // namespace
}  // namespace velmora::testing
