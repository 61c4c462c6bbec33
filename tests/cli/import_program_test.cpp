// velmora-import as a process: what it refuses and with which status, that it
// reads every file and checks the account before the first booking, and that texts reach the
// booking script literally and as the preview shows them.
#include "bridge/zandor_messages.h"
#include "cli/import_command.h"
#include "tests/cli/import_program.h"

namespace velmora::testing {
namespace {

constexpr std::string_view three_records = "!Type:Bank\nD12/31'05\nT-1,234.56\nPStadtwerke\nLNebenkosten:Strom\n^\n"
                                           "D01/02/2006\nT-50,00\nPÜbertrag\nL[Sparbuch]\n^\nD1/5'06\nT2.500,00\n^\n";
constexpr std::string_view unreadable_amount = "!Type:Bank\nD01.03.2026\nT€ -12,50\nPBäcker\n^\nD02.03.2026\nT12abc\n"
                                               "PMiete\n^\nD03.03.2026\nT(15.00)\n^\n";

struct StatusRow {
    const char* name;
    // DATEI: a file of three records; UNLESBAR: one whose second amount is no number;
    // OFFEN: one whose dates read day or month first; OHNE: two records, the last without "^";
    // ALLEIN: that last record alone; KEINE: one record, its amount no number; LANG: two
    // records, the last with a payee longer than any system hands a program; BILD: a picture;
    // FEHLT: a file that is not there
    std::vector<std::string> arguments;
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
        argument = argument == "DATEI"    ? file("konto.qif", three_records)
                 : argument == "UNLESBAR" ? file("unlesbar.qif", unreadable_amount)
                 : argument == "OFFEN"    ? file("offen.qif", "D09/03/2018\nT-1.00\n^\nD08/03/2018\nT-2.00\n^\n")
                 : argument == "OHNE"     ? file("ohne.qif", "D01.03.2026\nT-1,00\n^\nD02.03.2026\nT-2,00\n")
                 : argument == "ALLEIN"   ? file("allein.qif", "D02.03.2026\nT-2,00\n")
                 : argument == "KEINE"    ? file("keine.qif", "D02.03.2026\nT12abc\n^\n")
                 : argument == "LANG"     ? file("lang.qif", "D01.03.2026\nT-1,00\n^\nD02.03.2026\nT-2,00\nP"
                                                                 + std::string(2 << 20, 'x') + "\n^\n")
                 : argument == "BILD"     ? file("bild.png", std::string_view("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16))
                 : argument == "FEHLT"    ? (bundle.folder / "fehlt.qif").string() : argument;
    const process::Outcome outcome = run(arguments, row.accounts);
    EXPECT_EQ(outcome.exit_status, row.status) << outcome.error_output;
    EXPECT_NE((outcome.standard_output + outcome.error_output).find(row.said), std::string::npos)
        << outcome.standard_output << outcome.error_output;
    EXPECT_EQ(bundle.bookingsRecorded().size(), row.bookings_sent);
    EXPECT_EQ(outcome.error_output.find('\r'), std::string::npos);  // no progress where no terminal shows it
    EXPECT_LT(std::filesystem::exists(record()) ? std::filesystem::file_size(record()) : 0, 4096u);  // no text too long
}

const StatusRow status_rows[] = {
    {"Sent", {"--konto", "Girokonto", "DATEI"}, "Girokonto, Sparbuch", 0, "3 Buchungen an Zandor gesendet.\n", 3},
    {"OwnTransferLeftOut", {"--konto", "Girokonto", "--kategorien", "--gegenkonto", "--ohne-umbuchungen", "DATEI"},
     "Girokonto", 0, "2 Buchungen an Zandor gesendet.", 2},
    {"CsvPreview", {"--konto=Giro \"K\", 1", "--vorschau", "--format=csv", "DATEI"}, "", 0,
     "Datum,Datum (2),Betrag in Cent,Von Konto,An Konto,Kategorie,Empfänger,Memo,Leer\r\n"
     "31.12.2005,31.12.2005,123456,\"Giro \"\"K\"\", 1\",Unbekannt,Sonstiges,Stadtwerke,,\r\n", 0},
    {"Version", {"--version"}, "", 0, "Velmora 1.16\n", 0},
    {"HelpNamesTheCheckBoxes", {"--help"}, "", 0, "--ohne-umbuchungen    „Nicht importieren, wenn Kategorie=Gegenkonto“", 0},
    {"UnknownOption", {"--konto", "Girokonto", "--bunt", "DATEI"}, "", 2, "unbekannte Option »--bunt«\nAufruf:", 0},
    {"NoKonto", {"DATEI"}, "", 2, "--konto fehlt", 0},
    {"NoFile", {"--konto", "Girokonto"}, "", 2, "keine DATEI angegeben", 0},
    {"FormatWithoutPreview", {"--konto", "Girokonto", "--format", "csv", "DATEI"}, "", 2, "--format gilt nur mit --vorschau", 0},
    {"MissingSecondFileBeforeTheFirstBooking", {"--konto", "Girokonto", "DATEI", "FEHLT"}, "Girokonto", 2,
     "/fehlt.qif ist nicht vorhanden\n", 0},
    {"UnknownKonto", {"--konto", "Giro", "DATEI"}, "Girokonto, Sparbuch", 2,
     "Das Konto »Giro« gibt es in der geöffneten Kontenmappe von Zandor nicht. Dort gibt es: »Girokonto«, »Sparbuch«.", 0},
    {"ZandorNotRunning", {"--konto", "Girokonto", "DATEI"}, "", 3, std::string(zandor_not_ready), 0},
    {"ZandorNotRunningForTheAccountList", {"--konten"}, "", 3, std::string(zandor_not_ready), 0},
    {"AccountListSplitLikeThePopUp", {"--konten"}, "Giro, , Spar ,Konto,Bare\n", 0, "Giro\n\nSpar ,Konto,Bare\n", 0},
    {"UnreadableAmountRefusedBeforeTheFirstBooking", {"--konto", "Girokonto", "DATEI", "UNLESBAR"}, "Girokonto", 2,
     "unlesbar.qif: 1 Buchung ohne lesbaren Betrag (Zeile 7) ginge mit dem an Zandor, was die Regeln für Beträge von "
     "ihrer T-Zeile übrig lassen (aus T1.234 wird 123, also 1,23 €)\n"
     "Keine Buchung gesendet: Buchungen ohne lesbares Datum oder ohne lesbaren Betrag und Daten, bei denen Tag und "
     "Monat vertauscht sein können, gehen nur mit --trotzdem", 0},
    {"UnreadableAmountSentWithTrotzdem", {"--konto", "Girokonto", "--trotzdem", "UNLESBAR"}, "Girokonto", 0,
     "3 Buchungen an Zandor gesendet.", 3},
    {"UnreadableAmountLeftOutWithNurLesbare", {"--konto", "Girokonto", "--nur-lesbare", "UNLESBAR"}, "Girokonto", 0,
     "unlesbar.qif: Nicht gesendet: 1 Buchung ohne lesbaren Betrag (Zeile 7) (--nur-lesbare)\n", 2},
    {"NurLesbareLeavingEveryBookingOut", {"--konto", "Girokonto", "--nur-lesbare", "KEINE"}, "Girokonto", 0,
     "Keine Buchung gesendet: Jede Buchung der Datei ist schon gesendet, unklar oder ohne lesbares Datum oder ohne "
     "lesbaren Betrag (--nur-lesbare).", 0},
    {"TrotzdemOrNurLesbare", {"--konto", "Girokonto", "--trotzdem", "--nur-lesbare", "UNLESBAR"}, "", 2,
     "--trotzdem und --nur-lesbare schließen einander aus", 0},
    {"LastRecordWithoutCaretNamedNotSent", {"--konto", "Girokonto", "OHNE"}, "Girokonto", 0,
     "ohne.qif: Der letzte Datensatz (ab Zeile 4) endet ohne „^“ und wird nicht gesendet\n", 1},
    {"TooLongTextRefused", {"--konto", "Girokonto", "LANG"}, "Girokonto", 2, "lang.qif: 1 Buchung mit zu langem Text "
     "(Zeile 6) wird nicht gesendet: Das System übergibt einem Programm keinen so langen Text\n", 0},
    {"TooLongTextNeverSentNorRecorded", {"--konto", "Girokonto", "--trotzdem", "LANG"}, "Girokonto", 0,
     "1 Buchung an Zandor gesendet.", 1},
    {"OnlyRecordWithoutCaretNamedNotSent", {"--konto", "Girokonto", "ALLEIN"}, "Girokonto", 0,
     "Keine Buchung gesendet: Der letzte Datensatz (ab Zeile 1) endet ohne „^“ und wird nicht gesendet.\n", 0},
    {"OpenDateOrderRefused", {"--konto", "Girokonto", "OFFEN"}, "Girokonto", 2,
     "offen.qif: Nichts in der Datei sagt, ob sie den Tag oder den Monat zuerst schreibt; bei 2 Buchungen ergibt das "
     "zwei verschiedene Daten: D09/03/2018 ginge als 03.09.2018 hinaus, mit --monat-tag als 09.03.2018\n"
     "Keine Buchung gesendet", 0},
    {"PictureRefusedBeforeTheFirstBooking", {"--konto", "Girokonto", "DATEI", "BILD"}, "Girokonto", 2,
     "/bild.png« ist keine QIF-Datei (sie enthält Binärdaten).\n", 0},
};

INSTANTIATE_TEST_SUITE_P(ImportProgram, Statuses, ::testing::ValuesIn(status_rows),
                         [](const auto& info) { return std::string(info.param.name); });

TEST_F(ImportProgramTest, HostileTextsReachTheScriptLiterallyAndAsThePreviewShowsThem)
{
    const std::string qif = file("feind.qif", "D1/25'06\nT-1.00\nP$(touch ausgefuehrt) `id` \"; rm -rf ~ '\n"
                                              "MTab\there \\ back\x01slash\nL[Spar, buch]\n^\n");
    EXPECT_EQ(run({"--konto", "Giro konto", "--gegenkonto", "--vorschau", "--format", "json", qif}).standard_output,
              R"(["25.01.2006","25.01.2006","100","Giro konto","Spar, buch","Sonstiges",)"
              R"("$(touch ausgefuehrt) `id` \"; rm -rf ~ '","Tab\there \\ back\u0001slash",""])" "\n");
    EXPECT_EQ(run({"--konto", "Giro konto", "--gegenkonto", qif}, "Giro konto").exit_status, 0);
    EXPECT_EQ(bundle.bookingsRecorded(), (std::vector<Texts>{{"25.01.2006", "25.01.2006", "100", "Giro konto", "Spar, buch",
        "Sonstiges", "$(touch ausgefuehrt) `id` \"; rm -rf ~ '", "Tab\there \\ back\x01slash", ""}}));
    EXPECT_FALSE(std::filesystem::exists(bundle.resources / "ausgefuehrt"));
}

// Each file's summary first; then, on a terminal, the progress rewritten in place.
TEST_F(ImportProgramTest, SummarisesEachFileAndShowsTheProgressOnATerminal)
{
    const std::string qif = file("tag-zuerst.qif", "!Type:Cat\nNMiete\n^\n!Type:Bank\nD15/03/2026\nT-1.00\n^\nD01/04/2026\n^\n");
    bundle.writePrintingScript("Kontennamen ermitteln.scpt", "Girokonto");
    std::FILE* told = std::tmpfile();
    cli::Output out(stdout);
    EXPECT_EQ(cli::RunImport({.konto = "Girokonto", .send_unreadable = true, .files = {qif}, .record = {}}, {out, told, true}), 0);
    std::string text(4096, '\0');
    text.resize((std::rewind(told), std::fread(text.data(), 1, text.size(), told)));
    EXPECT_EQ(text, qif + ": 2 Buchungen, 1 Datensatz übersprungen\n" + qif + ": 1 Buchung ohne lesbares Datum (Zeile 5) ginge "
                    "mit leerem Datum an Zandor\n" + qif + ": Zeile 5 liest sich nur als Tag/Monat: D15/03/2026; ohne --monat-tag "
                    "(„Monat/Tag tauschen“) ginge 1 Buchung mit vertauschtem Tag und Monat hinaus\n" + qif
                    + ": Mit --monat-tag („Monat/Tag tauschen“) wären alle Daten lesbar\n"
                    "\r1 von 2 Buchungen gesendet\r2 von 2 Buchungen gesendet\n");
}

// The machine forms carry what "--trotzdem" would send, or "--nur-lesbare";
// the table marks what is unreadable, and what "--nur-lesbare" leaves out.
TEST_F(ImportProgramTest, PreviewsShowWhatASendWithTrotzdemWouldSend)
{
    const std::string qif = file("unlesbar.qif", unreadable_amount);
    const std::string first = "[\"01.03.2026\",\"01.03.2026\",\"1250\",\"Girokonto\",\"Unbekannt\",\"Sonstiges\",\"Bäcker\",\"\",\"\"]\n";
    const std::string third = "[\"03.03.2026\",\"03.03.2026\",\"1500\",\"Girokonto\",\"Unbekannt\",\"Sonstiges\",\"\",\"\",\"\"]\n";
    const auto json = run({"--konto", "Girokonto", "--ohne-protokoll", "--vorschau", "--format", "json", qif});
    EXPECT_EQ(json.standard_output,
              first + "[\"02.03.2026\",\"02.03.2026\",\"12abc\",\"Unbekannt\",\"Girokonto\",\"Sonstiges\",\"Miete\",\"\",\"\"]\n"
                  + third);
    EXPECT_EQ(json.exit_status, 0);
    EXPECT_EQ(run({"--konto", "Girokonto", "--nur-lesbare", "--vorschau", "--format", "json", qif}).standard_output,
              first + third);
    EXPECT_NE(run({"--konto", "Girokonto", "--nur-lesbare", "--vorschau", qif}).standard_output.find(
                  "ausgelassen     02.03.2026        unlesbar"),
              std::string::npos);
    const auto table = run({"--konto", "Girokonto", "--ohne-protokoll", "--vorschau", qif});
    EXPECT_NE(table.standard_output.find("neu             01.03.2026         12,50 €  von Girokonto an Unbekannt"),
              std::string::npos) << table.standard_output;
    EXPECT_NE(table.standard_output.find("neu             02.03.2026        unlesbar  von Unbekannt an Girokonto"),
              std::string::npos) << table.standard_output;
}

}  // namespace
}  // namespace velmora::testing
