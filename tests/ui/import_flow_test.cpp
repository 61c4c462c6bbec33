// The whole import driven through the real main window and the real bridge,
// against a booking script that records what it receives: choosing the file,
// the checks before sending, the nine texts of every booking, failures.
#include "import/file_reader.h"
#include "tests/ui/window_fixture.h"
#include "ui/messages.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

// Three records as a German user's older program writes them (ISO 8859-1).
constexpr std::string_view three_records = "!Type:Bank\nD12/31'05\nT-1,234.56\nPStadtwerke\nMAbschlag\nLNebenkosten:Strom\n^\n"
                                           "D01/02/2006\nT-50,00\nP\xDC" "bertrag\nL[Sparbuch]\n^\nD1/5'06\nT2.500,00\nLGehalt\n^\n";

class ImportFlow : public WindowTest {
    void SetUp() override { openWindow(); }
};

TEST_F(ImportFlow, SendingNeedsAnAccountAChosenFileAndThatFileStill)
{
    const fs::path chosen = bundle.file("konto.qif", three_records);
    choose(chosen);
    EXPECT_EQ(window->StaticText3()->text(), "konto.qif");
    dialogs.cancelFileChooser();  // a cancel keeps the choice: the file the label names is the one sent
    QTest::mouseClick(window->btn_datei(), Qt::LeftButton);
    EXPECT_EQ(window->StaticText3()->text(), "konto.qif");
    choose(bundle.file("bild.png", std::string_view("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n^\n", 19)));
    EXPECT_EQ(window->StaticText3()->text(), "konto.qif");  // a file refused keeps the choice too
    send();
    EXPECT_EQ(bundle.bookingsRecorded().size(), 3u);
    EXPECT_EQ(confirmations(), 1);
    fs::remove(chosen);
    send();
    EXPECT_EQ(lastMessage(), ui::messages::no_file);
    window->pop_konten()->clear();
    send();
    EXPECT_EQ(lastMessage(), ui::messages::no_account);
    EXPECT_EQ(dialogs.messages().size(), 3);
    EXPECT_EQ(bundle.bookingsRecorded().size(), 3u);
}

// A file gone or unreadable by the time it is loaded (the chooser offers
// neither, so the load is started as the chooser would), or a picture, leaves
// the lines be.
TEST_F(ImportFlow, FileThatCannotBeReadKeepsTheEarlierLines)
{
    const fs::path folder = bundle.folder / "Ordner.qif", gone = bundle.folder / "weg.qif";
    const fs::path picture = bundle.file("bild.png", std::string_view("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\n^\n", 19));
    fs::create_directory(folder);
    const std::pair<fs::path, std::int64_t> loads[] = {
        {folder, -1}, {bundle.file("konto.qif", three_records), 15}, {folder, 15}, {gone, 15}, {picture, 15}};
    for (const auto& [loaded, last_line] : loads) {
        window->f = loaded;
        window->Laden();
        EXPECT_EQ(window->anz_zeilen, last_line);  // -1: nothing loaded yet, so nothing can be sent
        EXPECT_EQ(window->zeilen.upper_bound(), last_line);
    }
    const auto shown = [](const fs::path& file) { return QString::fromStdString(file.string()); };
    const QString stays = "\n\nGewählt bleibt »konto.qif«.";
    EXPECT_EQ(dialogs.messages(),
              (QStringList{"Datei " + shown(folder) + " kann nicht gelesen werden",
                           "Datei " + shown(folder) + " kann nicht gelesen werden" + stays,
                           "Datei " + shown(gone) + " ist nicht vorhanden" + stays,
                           "Datei »" + shown(picture) + "« ist keine QIF-Datei (sie enthält Binärdaten)." + stays}));
}

TEST_F(ImportFlow, FileWithNothingToSendRunsNoScriptAndSaysSo)
{
    const std::string none = "Keine Buchung gesendet: Die Datei enthält keine Transaktion, die an Zandor zu senden ist.";
    // A letter; an own transfer with the three boxes that leave it out; a record without "^".
    const std::pair<std::string_view, std::string> files[] = {
        {"Sehr geehrte Damen und Herren,\n", none},
        {"!Type:Bank\nT-50,00\nL[Sparbuch]\n^\n", none},
        {"!Type:Bank\nD05.01.2006\nT2.500,00\n",
         "Keine Buchung gesendet: Der letzte Datensatz (ab Zeile 2) endet ohne „^“ und wird nicht gesendet."}};
    for (const auto& [bytes, message] : files) {
        choose(bundle.file("datei.qif", bytes));
        for (QCheckBox* box : {window->mit_kat(), window->kat_konto(), window->kat_gleich()})
            box->setChecked(bytes.starts_with("!Type:Bank\nT"));
        send();
        EXPECT_EQ(lastMessage(), message);
    }
    EXPECT_EQ(dialogs.messages().size(), 3);
    EXPECT_FALSE(fs::exists(bundle.bookingLog()));
    EXPECT_EQ(confirmations(), 0);
}

TEST_F(ImportFlow, ClicksDuringARunAreDropped)
{
    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "D1/25'06\nT1.00\n^\n";
    choose(bundle.file("viele.qif", many));
    bundle.writeScript(kBuchungScript, "#!/bin/sh\nsleep 0.02; printf 'x\\036' >> '" + bundle.bookingLog().string() + "'");
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        // Clicks only while bookings are still going out: QTest hands a click to
        // the widget directly, past the modal blocking a real click meets after the run.
        if (bundle.bookingsRecorded().size() >= 30 || QApplication::activeModalWidget())
            return clicker.stop();
        QTest::mouseClick(window->btn_datei(), Qt::LeftButton);
        QTest::mouseClick(window->btn_save(), Qt::LeftButton);
    });
    clicker.start(30);
    send();
    EXPECT_EQ(bundle.bookingsRecorded().size(), 30u);
    EXPECT_EQ(dialogs.titles().size(), 2) << dialogs.titles().join(" / ").toStdString();  // chooser, confirmation
}

class EveryOptionCombination : public ImportFlow, public ::testing::WithParamInterface<unsigned> {};

// The window asks its four boxes for the options and sends what the booking
// run makes of them; a second press sends it all again.
TEST_P(EveryOptionCombination, SendsWhatTheBookingRunMakesWithTheBoxesTicked)
{
    const unsigned ticked = GetParam();
    const std::array boxes{window->mit_kat(), window->monat_tag(), window->kat_konto(), window->kat_gleich()};
    for (std::size_t option = 0; option < boxes.size(); ++option)
        boxes[option]->setChecked((ticked >> option) & 1u);
    choose(bundle.file("konto.qif", three_records));
    for (int press = 0; press < 2; ++press)
        dialogs.answerQuestion("Trotzdem senden");  // asked where the swap leaves a date unreadable
    send();
    send();
    std::vector<Texts> expected;
    const import::RunContext run{"Girokonto", [ticked](import::Option o) { return (ticked >> static_cast<int>(o)) & 1u; },
                                 [&](const import::BookingArguments& b, const import::BookingPlace&) {
                                     expected.push_back(b);
                                 },
                                 {}};
    for (int press = 0; press < 2; ++press)
        import::buchung_erzeugen(import::lines_from_bytes(three_records), 15, run);
    EXPECT_EQ(bundle.bookingsRecorded(), expected);
    EXPECT_EQ(confirmations(), 2);
    EXPECT_EQ(dialogs.messages().size(), (ticked & 2u) ? 2 : 0);
}

INSTANTIATE_TEST_SUITE_P(Window, EveryOptionCombination, ::testing::Range(0u, 16u));

}  // namespace
}  // namespace velmora::testing
