// velmora-import as a process: what it refuses and with which status, that it
// reads every file and checks the account before the first booking, and that texts reach the
// booking script literally and as the preview shows them.
#include <algorithm>
#include <map>

#include "bridge/zandor_messages.h"
#include "cli/import_command.h"
#include "tests/cli/import_program.h"

namespace velmora::testing {
namespace {

// The files a row names, written beside the bundle as it runs; fehlt.qif is nowhere.
const std::map<std::string, std::string, std::less<>> row_files{
    {"konto.qif", "!Type:Bank\nD12/31'05\nT-1,234.56\nPStadtwerke\nLNebenkosten:Strom\n^\nD01/02/2006\nT-50,00\n"
                  "PÜbertrag\nL[Sparbuch]\n^\nD1/5'06\nT2.500,00\n^\n"},
    {"unlesbar.qif", "!Type:Bank\nD01.03.2026\nT€ -12,50\nPBäcker\n^\nD02.03.2026\nT12abc\nPMiete\n^\nD03.03.2026\n"
                     "T(15.00)\n^\n"},
    {"offen.qif", "D09/03/2018\nT-1.00\n^\nD08/03/2018\nT-2.00\n^\n"},  // day or month first
    {"ohne.qif", "D01.03.2026\nT-1,00\n^\nD02.03.2026\nT-2,00\n"},     // the last record without "^"
    {"allein.qif", "D02.03.2026\nT-2,00\n"},
    {"keine.qif", "D02.03.2026\nT12abc\n^\n"},  // no amount to read
    // The last payee is longer than any system hands a program.
    {"lang.qif", "D01.03.2026\nT-1,00\n^\nD02.03.2026\nT-2,00\nP" + std::string(2 << 20, 'x') + "\n^\n"},
    {"bild.png", std::string("\x89PNG\r\n\x1A\n\0\0\0\rIHDR", 16)},
};
// unlesbar.qif's first and third booking in JSON; its second has no readable amount.
const std::string first_json = R"(["01.03.2026","01.03.2026","1250","Girokonto","Unbekannt","Sonstiges","Bäcker","",""])" "\n";
const std::string third_json = R"(["03.03.2026","03.03.2026","1500","Girokonto","Unbekannt","Sonstiges","","",""])" "\n";

struct StatusRow {
    const char* name;
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
        if (const auto named = row_files.find(argument); named != row_files.end())
            argument = file(argument, named->second);
    const process::Outcome outcome = run(arguments, row.accounts);
    EXPECT_EQ(outcome.exit_status, row.status) << outcome.error_output;
    EXPECT_NE((outcome.standard_output + outcome.error_output).find(row.said), std::string::npos)
        << outcome.standard_output << outcome.error_output;
    EXPECT_EQ(bundle.bookingsRecorded().size(), row.bookings_sent);
    if (std::ranges::find(row.arguments, "--nur-lesbare") != row.arguments.end()) {  // what it leaves out would not go
        EXPECT_EQ(outcome.error_output.find(" an Zandor, was die Regeln"), std::string::npos) << outcome.error_output;
    }
    EXPECT_EQ(outcome.error_output.find('\r'), std::string::npos);  // no progress where no terminal shows it
    EXPECT_LT(std::filesystem::exists(record()) ? std::filesystem::file_size(record()) : 0, 4096u);  // no text too long
}

const StatusRow status_rows[] = {
    {"Sent", {"--konto", "Girokonto", "konto.qif"}, "Girokonto, Sparbuch", 0, "3 Buchungen an Zandor gesendet.\n", 3},
    {"OwnTransferLeftOut", {"--konto", "Girokonto", "--kategorien", "--gegenkonto", "--ohne-umbuchungen", "konto.qif"},
     "Girokonto", 0, "2 Buchungen an Zandor gesendet.", 2},
    {"CsvPreview", {"--konto=Giro \"K\", 1", "--vorschau", "--format=csv", "konto.qif"}, "", 0,
     "Datum,Datum (2),Betrag in Cent,Von Konto,An Konto,Kategorie,Empfänger,Memo,Leer\r\n"
     "31.12.2005,31.12.2005,123456,\"Giro \"\"K\"\", 1\",Unbekannt,Sonstiges,Stadtwerke,,\r\n", 0},
    {"Version", {"--version"}, "", 0, "Velmora 1.16\n", 0},
    {"HelpNamesTheCheckBoxes", {"--help"}, "", 0, "--ohne-umbuchungen    „Nicht importieren, wenn Kategorie=Gegenkonto“", 0},
    {"UnknownOption", {"--konto", "Girokonto", "--bunt", "konto.qif"}, "", 2, "unbekannte Option »--bunt«\nAufruf:", 0},
    {"NoKonto", {"konto.qif"}, "", 2, "--konto fehlt", 0},
    {"NoFile", {"--konto", "Girokonto"}, "", 2, "keine DATEI angegeben", 0},
    {"FormatWithoutPreview", {"--konto", "Girokonto", "--format", "csv", "konto.qif"}, "", 2, "--format gilt nur mit --vorschau", 0},
    {"MissingSecondFileBeforeTheFirstBooking", {"--konto", "Girokonto", "konto.qif", "fehlt.qif"}, "Girokonto", 2,
     "fehlt.qif ist nicht vorhanden\n", 0},
    {"UnknownKonto", {"--konto", "Giro", "konto.qif"}, "Girokonto, Sparbuch", 2,
     "Das Konto »Giro« gibt es in der geöffneten Kontenmappe von Zandor nicht. Dort gibt es: »Girokonto«, »Sparbuch«.", 0},
    {"ZandorNotRunning", {"--konto", "Girokonto", "konto.qif"}, "", 3, std::string(zandor_not_ready), 0},
    {"ZandorNotRunningForTheAccountList", {"--konten"}, "", 3, std::string(zandor_not_ready), 0},
    {"AccountListSplitLikeThePopUp", {"--konten"}, "Giro, , Spar ,Konto,Bare\n", 0, "Giro\n\nSpar ,Konto,Bare\n", 0},
    {"UnreadableAmountRefusedBeforeTheFirstBooking", {"--konto", "Girokonto", "konto.qif", "unlesbar.qif"}, "Girokonto", 2,
     "unlesbar.qif: 1 Buchung ohne lesbaren Betrag (Zeile 7) ginge mit dem an Zandor, was die Regeln für Beträge von "
     "ihrer T-Zeile übrig lassen (aus T1.234 wird 123, also 1,23 €)\n"
     "Keine Buchung gesendet: Buchungen ohne lesbares Datum oder ohne lesbaren Betrag und Daten, bei denen Tag und "
     "Monat vertauscht sein können, gehen nur mit --trotzdem", 0},
    {"UnreadableAmountSentWithTrotzdem", {"--konto", "Girokonto", "--trotzdem", "unlesbar.qif"}, "Girokonto", 0,
     "3 Buchungen an Zandor gesendet.", 3},
    {"UnreadableAmountLeftOutWithNurLesbare", {"--konto", "Girokonto", "--nur-lesbare", "unlesbar.qif"}, "Girokonto", 0,
     "unlesbar.qif: Nicht gesendet: 1 Buchung ohne lesbaren Betrag (Zeile 7) (--nur-lesbare)\n", 2},
    {"NurLesbareLeavingEveryBookingOut", {"--konto", "Girokonto", "--nur-lesbare", "keine.qif"}, "Girokonto", 0,
     "Keine Buchung gesendet: Jede Buchung der Datei ist schon gesendet, unklar oder ohne lesbares Datum oder ohne "
     "lesbaren Betrag (--nur-lesbare).", 0},
    {"TrotzdemOrNurLesbare", {"--konto", "Girokonto", "--trotzdem", "--nur-lesbare", "unlesbar.qif"}, "", 2,
     "--trotzdem und --nur-lesbare schließen einander aus", 0},
    {"LastRecordWithoutCaretNamedNotSent", {"--konto", "Girokonto", "ohne.qif"}, "Girokonto", 0,
     "ohne.qif: Der letzte Datensatz (ab Zeile 4) endet ohne „^“ und wird nicht gesendet\n", 1},
    {"TooLongTextRefused", {"--konto", "Girokonto", "lang.qif"}, "Girokonto", 2, "lang.qif: 1 Buchung mit zu langem Text "
     "(Zeile 6) wird nicht gesendet: Das System übergibt einem Programm keinen so langen Text\n", 0},
    {"TooLongTextNeverSentNorRecorded", {"--konto", "Girokonto", "--trotzdem", "lang.qif"}, "Girokonto", 0,
     "1 Buchung an Zandor gesendet.", 1},
    {"OnlyRecordWithoutCaretNamedNotSent", {"--konto", "Girokonto", "allein.qif"}, "Girokonto", 0,
     "Keine Buchung gesendet: Der letzte Datensatz (ab Zeile 1) endet ohne „^“ und wird nicht gesendet.\n", 0},
    {"OpenDateOrderRefused", {"--konto", "Girokonto", "offen.qif"}, "Girokonto", 2,
     "offen.qif: Nichts in der Datei sagt, ob sie den Tag oder den Monat zuerst schreibt", 0},
    // The machine forms carry what --trotzdem would send, or --nur-lesbare; the table marks what --nur-lesbare leaves out.
    {"JsonPreviewOfUnreadable", {"--konto", "Girokonto", "--vorschau", "--format", "json", "unlesbar.qif"}, "", 0,
     first_json + R"(["02.03.2026","02.03.2026","12abc","Unbekannt","Girokonto","Sonstiges","Miete","",""])" "\n" + third_json, 0},
    {"JsonPreviewWithNurLesbare", {"--konto", "Girokonto", "--nur-lesbare", "--vorschau", "--format", "json", "unlesbar.qif"},
     "", 0, first_json + third_json, 0},
    {"PreviewWithNurLesbare", {"--konto", "Girokonto", "--nur-lesbare", "--vorschau", "unlesbar.qif"}, "", 0,
     "ausgelassen     02.03.2026        unlesbar", 0},
    {"PictureRefusedBeforeTheFirstBooking", {"--konto", "Girokonto", "konto.qif", "bild.png"}, "Girokonto", 2,
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

}  // namespace
}  // namespace velmora::testing
