// Whole files: the order of day and month the file decides (by an option
// line above its dates, or by a date that reads only one way), and whether
// the question before a send speaks under the box's setting.
#include <gtest/gtest.h>

#include "booking_helpers.h"
#include "import/send_concerns.h"

namespace velmora::import {
namespace {

constexpr BoxWords words{"mit dem Kästchen", "ohne das Kästchen", "mit Haken", "ohne Haken"};

struct FileRow {
    const char* name;
    std::string_view dates;  // the D lines and option lines; each D line becomes a record
    bool swap_month_day;
    std::string_view said;  // part of what the question says about the dates; "" when it says nothing
};

void PrintTo(const FileRow& row, std::ostream* out) { *out << row.name; }

// The lines as a file of one transaction record per D line.
std::string bank_file(std::string_view dates) {
    std::string file;
    for (std::size_t start = 0; start < dates.size();) {
        const std::size_t end = std::min(dates.find('\n', start), dates.size());
        const std::string_view line = dates.substr(start, end - start);
        file += std::string(line) + (line.starts_with('D') ? "\nT-1.00\n^\n" : "\n");
        start = end + 1;
    }
    return file;
}

class WholeFile : public ::testing::TestWithParam<FileRow> {};

TEST_P(WholeFile, DecidesTheOrderAndSpeaksWhereTheBoxCouldSwapUnasked) {
    const FileRow& row = GetParam();
    const testing::Options ticked = row.swap_month_day ? testing::Options{Option::monat_tag} : testing::Options{};
    RunReport report;
    testing::book(bank_file(row.dates), ticked, &report);
    const Concerns concerns = concerns_before_sending(report, row.swap_month_day, words);
    std::string said;
    for (const auto* parts : {&concerns.unreadable, &concerns.date_order})
        for (const std::string& part : *parts) said += part + "\n";
    EXPECT_EQ(concerns.empty(), row.said.empty()) << said;
    EXPECT_NE(said.find(row.said), std::string::npos) << said;
}

const FileRow file_rows[] = {
    {"GermanDaysUpTo12Unticked", "D01.03.2026\nD05.03.2026", false, ""},
    {"GermanDaysUpTo12Ticked", "D01.03.2026\nD05.03.2026", true,
     "Nichts in der Datei sagt, ob sie den Tag oder den Monat zuerst schreibt; bei 2 Buchungen ergibt das zwei "
     "verschiedene Daten: D01.03.2026 ginge als 03.01.2026 hinaus, ohne Haken als 01.03.2026\n"},
    {"GermanDayOver12Unticked", "D01.03.2026\nD23.03.2026", false, ""},
    {"GermanDayOver12Ticked", "D01.03.2026\nD23.03.2026", true,
     "Zeile 4 liest sich nur als Tag.Monat: D23.03.2026; mit dem Kästchen ginge 1 Buchung mit vertauschtem Tag und "
     "Monat hinaus\nOhne das Kästchen wären alle Daten lesbar\n"},
    {"DaysEqualToMonthsReadAlike", "D01.01.2026\nD05.05.2026", true, ""},
    {"FrenchSlashesUpTo12Unticked", "D09/03/2018\nD08/03/2018", false,
     "D09/03/2018 ginge als 03.09.2018 hinaus, mit Haken als 09.03.2018"},
    {"FrenchSlashesUpTo12Ticked", "D09/03/2018", true, "D09/03/2018 ginge als 09.03.2018 hinaus, ohne Haken als 03.09.2018"},
    {"FrenchSlashesDecidedTicked", "D09/03/2018\nD25/03/2018", true, ""},
    {"DeclaredMonthFirstDotsUnticked", "!Option:MDY\nD10.11.23\nD10.12.23", false,
     "Die Datei schreibt den Monat zuerst (!Option:MDY, Zeile 1); ohne das Kästchen gingen 2 Buchungen"},
    {"DeclaredMonthFirstDotsTicked", "!Option:MDY\nD10.11.23\nD10.18.23", true, ""},
    {"DeclaredAboveADayOver12", "!option: mdy \nD10.18.23", false, "Die Datei schreibt den Monat zuerst (!option: mdy, Zeile 1)\nMit dem Kästchen wären alle Daten lesbar\n"},
    {"DeclaredDayFirstSlashesUnticked", "!Option:DMY\nD09/03/2018", false, "Die Datei schreibt den Tag zuerst"},
    {"DeclaredBelowTheDatesCountsForNone", "D01.03.2026\n!Option:MDY", true, "Nichts in der Datei sagt"},
    {"DashesUpTo12Unticked", "D09-06-19\nD10-06-19", false, "D09-06-19 ginge als 09.06.2019 hinaus, mit Haken als 06.09.2019"},
    {"DashesDecidedTicked", "D09-06-19\nD25-06-19", true, "Zeile 4 liest sich nur als Tag-Monat: D25-06-19"},
    {"FormsThatSettleTheOrderTicked", "D2024-01-25\nD2014/1/2\nD20240102\nD3 Mär 2026", true, ""},
    {"DatesOfListBlocksCountForNothing", "!Type:Memorized\nD23.03.2026\n!Type:Bank\nD01.03.2026", true,
     "Nichts in der Datei sagt"},
    {"EachFormJudgedOnItsOwn", "D12/31/2018\nD01.03.2026", true, "D01.03.2026 ginge als 03.01.2026"},
    {"ADateReadNeitherWayNamesTheForms", "D31.02.2026", false, "Velmora liest Daten wie 31.12.2026 (Tag.Monat.Jahr)"},
};

INSTANTIATE_TEST_SUITE_P(Dates, WholeFile, ::testing::ValuesIn(file_rows),
                         [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace velmora::import
