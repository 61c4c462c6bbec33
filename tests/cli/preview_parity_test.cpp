// The JSON preview shows exactly the bookings the window sends: for the whole
// corpus, under every combination of the four options, the program's preview
// equals the booking run the window makes with its boxes ticked the same way.
// And it shows exactly what velmora-import then sends.
#include <algorithm>
#include <cstdlib>

#include "cli/preview_formats.h"
#include "import/booking_run.h"
#include "import/file_reader.h"
#include "record/booking_key.h"
#include "record/sent_record.h"
#include "tests/cli/import_program.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

constexpr const char* flags[] = {"--kategorien", "--monat-tag", "--gegenkonto", "--ohne-umbuchungen"};  // by Option

// Each booking the window's run makes, as a line of the preview.
void windowBookings(const fs::path& file, unsigned ticked, std::string& json_lines)
{
    const auto lines = import::read_lines(file).lines;
    const import::RunContext run{"Girokonto", [ticked](import::Option o) { return (ticked >> static_cast<int>(o)) & 1u; },
                                 [&](const import::BookingArguments& b, const import::BookingPlace&) {
                                     cli::AppendJsonLine(json_lines, b);
                                 },
                                 {}};
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
    // --alle: a file's copies of an earlier file's bookings go out too, as the window sends each file.
    std::vector<std::string> arguments{"--konto", "Girokonto", "--vorschau", "--format", "json", "--alle"};
    for (int option = 0; option < 4; ++option)
        if ((GetParam() >> option) & 1u)
            arguments.emplace_back(flags[option]);
    std::string expected;
    for (const auto& entry : fs::recursive_directory_iterator(VELMORA_QIF_CORPUS)) {
        if (entry.path().extension() == ".qif") {
            arguments.push_back(entry.path().string());
            windowBookings(entry.path(), GetParam(), expected);
        }
    }
    const process::Outcome preview = run(arguments);
    EXPECT_EQ(preview.exit_status, 0) << preview.error_output;
    EXPECT_EQ(preview.standard_output, expected);
    EXPECT_GT(std::ranges::count(expected, '\n'), 500);  // bookings
}

INSTANTIATE_TEST_SUITE_P(ImportProgram, PreviewParity, ::testing::Range(0u, 16u));

// A preview shows, booking for booking, what the send then sends: for files
// of one call that repeat one another, against every state of the record.
struct RecordState {
    const char* name;
    std::string_view account_of_booking_one;  // the account the record sent booking 1 to; empty: no record
    bool used = true;                         // false: --ohne-protokoll
};

const RecordState record_states[] = {{"Missing", ""}, {"OtherAccountsOnly", "Sparbuch"},
                                     {"KnowsTheAccount", "Girokonto"}, {"WithoutRecord", "Girokonto", false}};

struct Overlap {
    const char* name;
    std::vector<std::vector<int>> files;  // the bookings of each file, by number
    std::size_t in_earlier_file;          // copies of bookings an earlier file sends
};

const Overlap overlaps[] = {
    {"AFileTwice", {{1, 2, 3, 4}, {1, 2, 3, 4}}, 4},
    {"BRepeatsA", {{1, 2, 3, 4}, {3, 4, 5, 6}}, 2},
    {"ThreeFiles", {{1, 2, 3, 4}, {3, 4, 5, 6}, {6, 7}}, 3},
};

void PrintTo(const Overlap& overlap, std::ostream* out) { *out << overlap.name; }

std::string records(const std::vector<int>& numbers)
{
    std::string qif = "!Option:MDY\n!Type:Bank\n";
    for (const int n : numbers)
        qif += "D01/0" + std::to_string(n) + "/2026\nT-" + std::to_string(n) + ".00\nPP" + std::to_string(n) + "\n^\n";
    return qif;
}

// The record sent booking 1 to the account, or to another one.
std::string recordOfBookingOne(std::string_view account)
{
    const import::BookingArguments one{"01.01.2026", "01.01.2026", "100", "Girokonto", "Unbekannt", "Sonstiges", "P1", "", ""};
    return std::string(record::record_header)
           + record::RecordLine({"2026-12-06T10:00:00+0100", record::SentState::gesendet, std::string(account),
                                 record::BookingKeys(account).next(one), one});
}

class PreviewAgainstSend : public ImportProgramTest,
                           public ::testing::WithParamInterface<std::tuple<RecordState, Overlap>> {};

TEST_P(PreviewAgainstSend, ShowsWhatTheSendSends)
{
    const auto& [state, overlap] = GetParam();
    std::vector<std::string> call{"--konto", "Girokonto"};
    if (!state.used)
        call.push_back("--ohne-protokoll");
    for (std::size_t i = 0; i < overlap.files.size(); ++i)
        call.push_back(file("datei" + std::to_string(i) + ".qif", records(overlap.files[i])));
    fs::create_directories(record().parent_path());
    if (!state.account_of_booking_one.empty())
        writeFile(record(), recordOfBookingOne(state.account_of_booking_one));
    const auto preview = [&](std::vector<std::string> form) {
        form.insert(form.begin(), call.begin(), call.end());
        form.push_back("--vorschau");
        return run(form).standard_output;
    };
    const std::string json = preview({"--format", "json"}), table = preview({});
    const process::Outcome send = run(call);
    ASSERT_EQ(send.exit_status, 0) << send.error_output;
    std::string sent;
    for (const Texts& booking : bundle.bookingsRecorded())
        cli::AppendJsonLine(sent, booking);
    EXPECT_EQ(json, sent);
    const auto rows = [lines = split(table, '\n')](std::string_view mark) {
        return static_cast<std::size_t>(std::ranges::count_if(lines, [mark](const auto& line) { return line.starts_with(mark); }));
    };
    EXPECT_EQ(rows("neu "), bundle.bookingsRecorded().size());
    const bool one_known = state.used && state.account_of_booking_one == "Girokonto";
    const std::size_t in_earlier_file = overlap.in_earlier_file - (one_known && overlap.files[1][0] == 1 ? 1 : 0);
    EXPECT_EQ(rows("frühere Datei "), in_earlier_file);
    EXPECT_NE(send.error_output.find(std::to_string(in_earlier_file)
                                     + " Buchungen übersprungen: schon in einer früheren Datei dieses Aufrufs\n"),
              std::string::npos) << send.error_output;
}

INSTANTIATE_TEST_SUITE_P(ImportProgram, PreviewAgainstSend,
                         ::testing::Combine(::testing::ValuesIn(record_states), ::testing::ValuesIn(overlaps)),
                         [](const auto& info) {
                             return std::get<0>(info.param).name + std::string(std::get<1>(info.param).name);
                         });
}  // namespace
}  // namespace velmora::testing
