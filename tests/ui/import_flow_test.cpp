// The whole import driven through the real main window and the real bridge,
// against stand-in scripts that log what they receive: choosing the file,
// the checks before sending, the nine texts of every booking, failures.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>
#include <array>
#include <fstream>
#include <sstream>

#include "platform/event_loop.h"
#include "tests/support/bounded_event_loop.h"
#include "tests/ui/window_fixture.h"
#include "ui/messages.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;
using Booking = std::vector<std::string>;

// Three records as a German user's older program writes them (ISO 8859-1).
constexpr std::string_view three_records =
    "!Type:Bank\n"
    "D12/31'05\nT-1,234.56\nPStadtwerke\nMAbschlag\nLNebenkosten:Strom\n^\n"
    "D01/02/2006\nT-50,00\nP\xDC" "bertrag\nL[Sparbuch]\n^\n"
    "D1/5'06\nT2.500,00\nPArbeitgeber\nLGehalt\n^\n";

class ImportFlow : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        // Each booking's texts end with a unit separator, each booking with a record separator.
        bundle.writeScript(kBuchungScript, "#!/bin/sh\nfor text do printf '%s\\037' \"$text\"; done >> '" + log().string()
                                               + "'\nprintf '\\036' >> '" + log().string() + "'");
        openWindow("Girokonto, Sparbuch");
    }

    fs::path log() const { return bundle.folder / "bookings.log"; }

    fs::path writeFile(std::string_view name, std::string_view bytes) const
    {
        const fs::path file = bundle.folder / std::string(name);
        std::ofstream(file, std::ios::binary) << bytes;
        return file;
    }

    void choose(const fs::path& file)
    {
        dialogs.chooseFile(file);
        QTest::mouseClick(window->btn_datei(), Qt::LeftButton);
    }

    void send() { QTest::mouseClick(window->btn_save(), Qt::LeftButton); }

    std::vector<Booking> bookingsSent() const
    {
        std::ifstream in(log(), std::ios::binary);
        std::vector<Booking> bookings;
        std::string record;
        while (std::getline(in, record, '\036')) {
            Booking texts;
            std::istringstream fields(record);
            for (std::string text; std::getline(fields, text, '\037');)
                texts.push_back(text);
            bookings.push_back(texts);
        }
        return bookings;
    }

    int confirmations() const { return dialogs.titles().count("Bestätigung"); }
};

TEST_F(ImportFlow, ChosenFileIsLoadedAndACancelLaterKeepsItsLinesButNotTheChoice)
{
    const fs::path file = writeFile("konto.qif", three_records);
    choose(file);
    EXPECT_EQ(window->StaticText3()->text(), "konto.qif");
    EXPECT_EQ(window->f, file);
    EXPECT_EQ(window->anz_zeilen, 16);
    EXPECT_EQ(window->zeilen[9], "PÜbertrag");

    dialogs.cancelFileChooser();
    QTest::mouseClick(window->btn_datei(), Qt::LeftButton);
    EXPECT_FALSE(window->f.has_value());
    EXPECT_EQ(window->StaticText3()->text(), "konto.qif");
    EXPECT_EQ(window->anz_zeilen, 16);

    send();
    EXPECT_EQ(dialogs.messages(), QStringList{QString::fromUtf8(ui::messages::no_file.data())});
    EXPECT_TRUE(bookingsSent().empty());
}

TEST_F(ImportFlow, DeletedFileIsNotSentFromItsLoadedLines)
{
    const fs::path file = writeFile("konto.qif", three_records);
    choose(file);
    fs::remove(file);
    send();
    EXPECT_EQ(dialogs.messages(), QStringList{QString::fromUtf8(ui::messages::no_file.data())});
    EXPECT_TRUE(bookingsSent().empty());
    EXPECT_EQ(confirmations(), 0);
}

TEST_F(ImportFlow, AccountIsCheckedBeforeTheFile)
{
    window->pop_konten()->clear();
    send();
    EXPECT_EQ(dialogs.messages(), QStringList{QString::fromUtf8(ui::messages::no_account.data())});
}

TEST_F(ImportFlow, FileThatCannotBeReadKeepsTheEarlierLines)
{
    const fs::path folder = bundle.folder / "Ordner.qif";
    fs::create_directory(folder);
    window->f = folder;
    window->Laden();
    EXPECT_EQ(window->anz_zeilen, -1);  // nothing loaded yet, so nothing can be sent
    EXPECT_TRUE(window->zeilen.empty());

    choose(writeFile("konto.qif", three_records));
    window->f = folder;
    window->Laden();
    const fs::path vanished = bundle.folder / "weg.qif";
    window->f = vanished;
    window->Laden();
    const QString unreadable = "Datei " + QString::fromStdString(folder.string()) + " kann nicht gelesen werden";
    EXPECT_EQ(dialogs.messages(), (QStringList{unreadable, unreadable,
                                               "Datei " + QString::fromStdString(vanished.string()) + " ist nicht vorhanden"}));
    EXPECT_EQ(window->anz_zeilen, 16);
    EXPECT_EQ(window->zeilen.upper_bound(), 16);
}

TEST_F(ImportFlow, TwoSendsSendEverythingTwiceAndConfirmEachTime)
{
    choose(writeFile("konto.qif", three_records));
    send();
    send();
    EXPECT_EQ(bookingsSent().size(), 6u);
    EXPECT_EQ(confirmations(), 2);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

struct NothingToSendRow {
    const char* name;
    std::string_view bytes;
    bool skip_own_transfers;  // ticks the three boxes that leave own transfers out
};

TEST_F(ImportFlow, FileWithNothingToSendRunsNoScriptAndSaysSo)
{
    const NothingToSendRow rows[] = {
        {"a letter", "Sehr geehrte Damen und Herren,\n", false},
        {"a category list", "!Type:Cat\nNLebensmittel\n^\n", false},
        {"only own transfers", "!Type:Bank\nT-50,00\nL[Sparbuch]\n^\n", true},
    };
    for (const auto& row : rows) {
        choose(writeFile("datei.qif", row.bytes));
        for (QCheckBox* box : {window->mit_kat(), window->kat_konto(), window->kat_gleich()})
            box->setChecked(row.skip_own_transfers);
        send();
        EXPECT_EQ(dialogs.messages().back().toStdString(),
                  "Keine Buchung gesendet: Die Datei enthält keine Transaktion, die an Zandor zu senden ist.")
            << row.name;
    }
    EXPECT_EQ(dialogs.messages().size(), 3);
    EXPECT_TRUE(bookingsSent().empty());
    EXPECT_FALSE(fs::exists(log()));
    EXPECT_EQ(confirmations(), 0);
}

TEST_F(ImportFlow, ScriptFailingPartWayStopsThereAndSaysHowManyWereSent)
{
    choose(writeFile("konto.qif", three_records));
    // The second booking fails: the script refuses once the log holds one booking.
    bundle.writeScript(kBuchungScript, "#!/bin/sh\nif [ -s '" + log().string() + "' ]; then echo 'Konto gesperrt' >&2; exit 5; fi\n"
                                       "printf 'eins\\036' >> '" + log().string() + "'");
    send();
    EXPECT_EQ(bookingsSent().size(), 1u);
    EXPECT_EQ(confirmations(), 0);
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString report = dialogs.messages().front();
    for (const char* part : {"buchungViaTessel.scpt", "Konto gesperrt", "Bis dahin wurde 1 Buchung an Zandor gesendet."})
        EXPECT_TRUE(report.contains(QString::fromUtf8(part))) << report.toStdString();

    fs::remove(bundle.resources / std::string(kBuchungScript));
    send();
    ASSERT_EQ(dialogs.messages().size(), 2);
    EXPECT_TRUE(dialogs.messages().back().contains("Bis dahin wurden 0 Buchungen")) << dialogs.messages().back().toStdString();
    EXPECT_TRUE(window->isVisible());
}

TEST_F(ImportFlow, ClicksDuringARunAreDropped)
{
    std::string many;
    for (int i = 0; i < 30; ++i)
        many += "D1/5'06\nT1.00\n^\n";
    choose(writeFile("viele.qif", many));
    bundle.writeScript(kBuchungScript, "#!/bin/sh\nsleep 0.02; printf 'x\\036' >> '" + log().string() + "'");
    QTimer clicker;
    QObject::connect(&clicker, &QTimer::timeout, [&] {
        // Clicks only while bookings are still going out: QTest hands a click to
        // the widget directly, past the modal blocking a real click meets after the run.
        if (bookingsSent().size() >= 30 || QApplication::activeModalWidget()) {
            clicker.stop();
            return;
        }
        QTest::mouseClick(window->btn_datei(), Qt::LeftButton);
        QTest::mouseClick(window->btn_save(), Qt::LeftButton);
    });
    clicker.start(30);
    send();
    clicker.stop();
    EXPECT_EQ(bookingsSent().size(), 30u);
    EXPECT_EQ(confirmations(), 1);
    // The file chooser of the first choice, and the confirmation.
    EXPECT_EQ(dialogs.titles().size(), 2) << dialogs.titles().join(" / ").toStdString();
}

TEST_F(ImportFlow, ClosingTheWindowEndsTheProgramWithStatusZero)
{
    QTimer::singleShot(0, [&] { window->close(); });
    EXPECT_EQ(RunEventLoopAtMost(5000), 0);
}

struct Options {
    bool mit_kat, monat_tag, kat_konto, kat_gleich;
};

class EveryOptionCombination : public ImportFlow, public ::testing::WithParamInterface<int> {
protected:
    Options options() const
    {
        const int bits = GetParam();
        return {(bits & 1) != 0, (bits & 2) != 0, (bits & 4) != 0, (bits & 8) != 0};
    }

    // What the three records must become under the options.
    std::vector<Booking> expected() const
    {
        const Options o = options();
        auto dated = [](std::string date, Booking rest) {
            rest.insert(rest.begin(), {date, date});
            return rest;
        };
        std::vector<Booking> bookings;
        // "31.12.05" swapped reads as month 31: no date.
        bookings.push_back(dated(o.monat_tag ? "" : "31.12.2005",
                                 {"123456", "Girokonto", "Unbekannt", o.mit_kat ? "Strom" : "Sonstiges", "Stadtwerke",
                                  "Abschlag", ""}));
        const bool transfer_skipped = o.kat_gleich && o.mit_kat && o.kat_konto;
        if (!transfer_skipped)
            bookings.push_back(dated(o.monat_tag ? "01.02.2006" : "02.01.2006",
                                     {"5000", "Girokonto", o.kat_konto ? "Sparbuch" : "Unbekannt",
                                      o.mit_kat ? "[Sparbuch]" : "Sonstiges", "Übertrag", "", ""}));
        bookings.push_back(dated(o.monat_tag ? "01.05.2006" : "05.01.2006",
                                 {"250000", "Unbekannt", "Girokonto", o.mit_kat ? "Gehalt" : "Sonstiges",
                                  "Arbeitgeber", "", ""}));
        return bookings;
    }
};

TEST_P(EveryOptionCombination, SendsTheNineTextsOfEveryRecord)
{
    choose(writeFile("konto.qif", three_records));
    const Options o = options();
    window->mit_kat()->setChecked(o.mit_kat);
    window->monat_tag()->setChecked(o.monat_tag);
    window->kat_konto()->setChecked(o.kat_konto);
    window->kat_gleich()->setChecked(o.kat_gleich);
    send();
    EXPECT_EQ(bookingsSent(), expected());
    EXPECT_EQ(confirmations(), 1);
    EXPECT_TRUE(dialogs.messages().isEmpty());
}

std::string optionNames(const ::testing::TestParamInfo<int>& info)
{
    constexpr std::array<const char*, 4> names{"MitKat", "MonatTag", "KatKonto", "KatGleich"};
    std::string name;
    for (int bit = 0; bit < 4; ++bit)
        if (info.param & (1 << bit))
            name += names[bit];
    return name.empty() ? std::string("KeineOption") : name;
}

INSTANTIATE_TEST_SUITE_P(Window, EveryOptionCombination, ::testing::Range(0, 16), optionNames);

}  // namespace
}  // namespace velmora::testing
