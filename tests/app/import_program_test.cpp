// velmora-import as a process: what it refuses and with which status, that it
// reads every file and checks the account before the first booking, that a
// failing script stops it with the count told, and that texts reach the
// booking script literally and as the preview shows them.
#include "bridge/zandor_messages.h"
#include "tests/app/import_program.h"

namespace velmora::testing {
namespace {

using Texts = import::BookingArguments;

constexpr std::string_view three_records = "!Type:Bank\n"
                                           "D12/31'05\nT-1,234.56\nPStadtwerke\nLNebenkosten:Strom\n^\n"
                                           "D01/02/2006\nT-50,00\nPÜbertrag\nL[Sparbuch]\n^\n"
                                           "D1/5'06\nT2.500,00\nPArbeitgeber\n^\n";

struct StatusRow {
    const char* name;
    std::vector<std::string> arguments;  // "DATEI" stands for a file of three records
    std::string accounts;
    int status;
    std::string said;  // part of what the program writes (standard output, then error output)
    std::size_t bookings_sent;
};

void PrintTo(const StatusRow& row, std::ostream* out) { *out << row.name; }

class Statuses : public ImportProgramTest, public ::testing::WithParamInterface<StatusRow> {};

TEST_P(Statuses, EndTheProgramAsTheCallAndZandorDecide)
{
    const StatusRow& row = GetParam();
    std::vector<std::string> arguments = row.arguments;
    for (std::string& argument : arguments)
        if (argument == "DATEI")
            argument = file("konto.qif", three_records);

    const process::Outcome outcome = run(arguments, row.accounts);

    EXPECT_EQ(outcome.exit_status, row.status) << outcome.error_output;
    EXPECT_NE((outcome.standard_output + outcome.error_output).find(row.said), std::string::npos)
        << outcome.standard_output << outcome.error_output;
    EXPECT_EQ(bookingsSent().size(), row.bookings_sent);
}

const StatusRow status_rows[] = {
    {"Sent", {"--konto", "Girokonto", "DATEI"}, "Girokonto, Sparbuch", 0, "3 Buchungen an Zandor gesendet.\n", 3},
    {"Version", {"--version"}, "", 0, "Velmora 1.16\n", 0},
    {"HelpNamesTheCheckBoxes", {"--help"}, "", 0, "--ohne-umbuchungen    „Nicht importieren, wenn Kategorie=Gegenkonto“", 0},
    {"UnknownOption", {"--konto", "Girokonto", "--bunt", "DATEI"}, "", 2, "unbekannte Option »--bunt«\nAufruf:", 0},
    {"NoKonto", {"DATEI"}, "", 2, "--konto fehlt", 0},
    {"NoFile", {"--konto", "Girokonto"}, "", 2, "keine DATEI angegeben", 0},
    {"FormatWithoutPreview", {"--konto", "Girokonto", "--format", "csv", "DATEI"}, "", 2,
     "--format gilt nur mit --vorschau", 0},
    {"UnknownKonto", {"--konto", "Giro", "DATEI"}, "Girokonto, Sparbuch", 2,
     "Das Konto »Giro« gibt es in der geöffneten Kontenmappe von Zandor nicht. Dort gibt es: »Girokonto«, »Sparbuch«.", 0},
    {"ZandorNotRunning", {"--konto", "Girokonto", "DATEI"}, "", 3, std::string(zandor_not_ready), 0},
    {"ZandorNotRunningForTheAccountList", {"--konten"}, "", 3, std::string(zandor_not_ready), 0},
    {"AccountListSplitLikeThePopUp", {"--konten"}, "Giro, , Spar ,Konto,Bare\n", 0, "Giro\n\nSpar ,Konto,Bare\n", 0},
    {"OwnTransferLeftOut", {"--konto", "Girokonto", "--kategorien", "--gegenkonto", "--ohne-umbuchungen", "DATEI"},
     "Girokonto", 0, "2 Buchungen an Zandor gesendet.", 2},
};

INSTANTIATE_TEST_SUITE_P(ImportProgram, Statuses, ::testing::ValuesIn(status_rows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportProgramTest, MissingSecondFileIsRefusedBeforeTheFirstBooking)
{
    const process::Outcome outcome =
        run({"--konto", "Girokonto", file("konto.qif", three_records), (bundle.folder / "fehlt.qif").string()});
    EXPECT_EQ(outcome.exit_status, 2);
    EXPECT_EQ(outcome.error_output, "Datei " + (bundle.folder / "fehlt.qif").string() + " ist nicht vorhanden\n");
    EXPECT_TRUE(bookingsSent().empty());
}

TEST_F(ImportProgramTest, FailingScriptStopsThereAndTellsHowManyWereSent)
{
    bundle.writeScript("buchungViaTessel.scpt", "#!/bin/sh\nif [ -s '" + log.string()
                                                    + "' ]; then echo 'Konto gesperrt' >&2; exit 5; fi\n"
                                                      "printf '%s\\037' \"$@\" >> '" + log.string() + "'\nprintf '\\036' >> '"
                                                    + log.string() + "'\n");
    const process::Outcome outcome = run({"--konto", "Girokonto", file("konto.qif", three_records)});
    EXPECT_EQ(outcome.exit_status, 1);
    for (const char* part : {"buchungViaTessel.scpt", "Konto gesperrt", "Bis dahin wurde 1 Buchung an Zandor gesendet."})
        EXPECT_NE(outcome.error_output.find(part), std::string::npos) << outcome.error_output;
    EXPECT_EQ(bookingsSent().size(), 1u);
}

TEST_F(ImportProgramTest, HostileTextsReachTheScriptLiterallyAndAsThePreviewShowsThem)
{
    const std::string qif = file("feind.qif", "D1/5'06\nT-1.00\nP$(touch ausgefuehrt) `id` \"; rm -rf ~ '\n"
                                              "MTab\there \\ back\x01slash\nL[Spar, buch]\n^\n");
    const process::Outcome preview = run({"--konto", "Giro konto", "--gegenkonto", "--vorschau", "--format", "json", qif});
    const process::Outcome sent = run({"--konto", "Giro konto", "--gegenkonto", qif}, "Giro konto");

    EXPECT_EQ(sent.exit_status, 0) << sent.error_output;
    const std::vector<Texts> expected{{"05.01.2006", "05.01.2006", "100", "Giro konto", "Spar, buch", "Sonstiges",
                                       "$(touch ausgefuehrt) `id` \"; rm -rf ~ '", "Tab\there \\ back\x01slash", ""}};
    EXPECT_EQ(bookingsSent(), expected);
    EXPECT_EQ(DecodeJsonLines(preview.standard_output), expected);
    EXPECT_FALSE(std::filesystem::exists(bundle.resources / "ausgefuehrt"));
    EXPECT_FALSE(std::filesystem::exists(bundle.folder / "ausgefuehrt"));
}

TEST_F(ImportProgramTest, SummaryNamesUnreadableDatesAndTheLikelyCause)
{
    const std::string qif = file("tag-zuerst.qif", "!Type:Cat\nNMiete\n^\n!Type:Bank\nD15/03/2026\nT-1.00\n^\nD01/04/2026\n^\n");
    const process::Outcome outcome = run({"--konto", "Girokonto", "--vorschau", qif});
    EXPECT_EQ(outcome.error_output,
              qif + ": 2 Buchungen, 1 Datensatz übersprungen\n"
              + qif + ": 1 Buchung ohne lesbares Datum (Zeile 5) geht mit leerem Datum an Zandor\n"
              + qif + ": Mit --monat-tag („Monat/Tag tauschen“) wären alle diese Daten lesbar.\n");
}

}  // namespace
}  // namespace velmora::testing
