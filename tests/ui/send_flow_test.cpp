// A send as the user lives through it, through the real window and bridge: a
// stand-in booking script that records what it gets and, at one booking,
// fails, waits for the test, or hangs. The test acts on the progress window
// or asks the program to end while that booking runs.
#include <QCloseEvent>
#include <QSocketNotifier>
#include <QtTest/qtestspontaneevent.h>
#include <csignal>
#include <functional>
#include <map>
#include <sys/socket.h>
#include <unistd.h>

#include "platform/event_loop.h"
#include "tests/ui/window_fixture.h"
#include "ui/wfortschritt.h"

namespace velmora::testing {
namespace {

namespace fs = std::filesystem;

// Bäcker's is a transfer to the Sparbuch: left out under all three category boxes.
constexpr std::string_view three_records = "!Type:Bank\nD31.12.2005\nT-1.234,56\nPStadtwerke\n^\nD02.01.2006\n"
                                           "T-50,00\nPBäcker\nL[Sparbuch]\n^\nD05.01.2006\nT2.500,00\nPArbeitgeber\n^\n";

// What the stand-in does at the booking the test picks, after it has booked
// it; cannot_start_again: the next booking's script cannot start.
enum class AtBooking { nothing, fail, wait_for_test, hang, cannot_start_again };

// Does `act` once `ready` holds, looking every 10 ms while `owner` lives.
void once(QObject* owner, std::function<bool()> ready, std::function<void()> act)
{
    auto* watch = new QTimer(owner);
    QObject::connect(watch, &QTimer::timeout, [watch, ready, act] {
        if (ready()) {
            watch->stop();
            act();
        }
    });
    watch->start(10);
}

class SendFlow : public WindowTest {
public:
    void SetUp() override
    {
        openWindow();
        choose(bundle.file("konto.qif", three_records));
    }

    void standIn(AtBooking what, int booking = 2) const
    {
        const std::string log = "'" + bundle.bookingLog().string() + "'";
        const std::string behaviour[] = {"exit 0", "echo 'Konto gesperrt' >&2; exit 5",
                                         "while [ ! -e '" + (bundle.folder / "weiter").string() + "' ]; do sleep 0.01; done", "sleep 300",
                                         "chmod -x \"$0\""};
        bundle.writeScript(kBuchungScript, "#!/bin/sh\nfor text do printf '%s\\037' \"$text\"; done >> " + log
                                               + "\nprintf '\\036' >> " + log + "\n[ \"$(tr -cd '\\036' < " + log
                                               + " | wc -c)\" -eq " + std::to_string(booking) + " ] || exit 0\n"
                                               + behaviour[static_cast<int>(what)] + "\n");
    }
    void release() const { writeFile(bundle.folder / "weiter", ""); }

    ui::wFortschritt* progressWindow() const { return window->findChild<ui::wFortschritt*>(); }

    // Sends, and once the progress window shows while booking `booking` runs, does `act`.
    void sendActingAt(std::size_t booking, const std::function<void(ui::wFortschritt&)>& act)
    {
        const auto ready = [this, booking] {
            return progressWindow() && progressWindow()->isVisible() && bundle.bookingsRecorded().size() == booking;
        };
        once(window.get(), ready, [this, act] { act(*progressWindow()); });
        send();
    }

    // Text `text` (0: the date, 2: the amount, 6: the payee) of each booking the script received, in order.
    std::vector<std::string> received(std::size_t text = 6) const
    {
        std::vector<std::string> texts;
        for (const Texts& booking : bundle.bookingsRecorded())
            texts.push_back(booking.at(text));
        return texts;
    }
};

// Each way a send ends: what the booking script received, what the user is
// told, and what the next press offers.
using Act = std::function<void(SendFlow&, ui::wFortschritt&)>;
struct EndRow {
    const char* name;
    AtBooking at_booking_2;
    Act act;  // empty: nothing done during the send
    std::vector<std::string> received;
    std::string message;
    std::string next_press_asks;
    bool quits = false;
    bool resumed = false;  // goes on with "Fehlt in Zandor" after a send whose script failed at booking 2
};

void PrintTo(const EndRow& row, std::ostream* out) { *out << row.name; }

const std::string two_of_three = "2 von 3 Buchungen dieser Datei wurden schon an »Girokonto« gesendet. "
                                 "Mit Buchung 3 weitermachen?";
const std::string baecker_in_doubt = "1 von 3 Buchungen dieser Datei wurde schon an »Girokonto« gesendet. Ob Buchung 2 "
                                     "(02.01.2006, 50,00 €, »Bäcker«) in Zandor angekommen ist, ist unklar: Ihr Skript "
                                     "ist nicht wie vorgesehen zu Ende gegangen. Bitte dort nachsehen. Steht sie in "
                                     "Zandor, geht es mit Buchung 3 weiter; fehlt sie dort, mit Buchung 2.";
const std::string quit_question = "Velmora beenden? Bis jetzt ist 1 von 3 Buchungen dieser Datei an Zandor gesendet. "
                                  "Velmora hält nach der laufenden Buchung an und endet; die übrigen Buchungen werden "
                                  "nicht gesendet.";

// Asks to stop by `gesture` while booking 2 waits, and lets the booking
// finish once the stop has reached the progress window.
Act stopping(Act gesture)
{
    return [gesture](SendFlow& test, ui::wFortschritt& progress) {
        gesture(test, progress);
        // Shown as stopping: the wish was taken.
        once(&progress, [&progress] { return !progress.pb_anhalten()->isEnabled(); }, [&test] { test.release(); });
    };
}

// The user asks to end the program by `gesture` and, asked, says to stop and end.
Act quitting(Act gesture)
{
    return [gesture](SendFlow& test, ui::wFortschritt& progress) {
        test.dialogs.answerQuestion("Anhalten und beenden");
        stopping(gesture)(test, progress);
    };
}

// "Anhalten", then "Skript beenden" once it is offered.
void stopThenEndScript(ui::wFortschritt& progress)
{
    QTest::mouseClick(progress.pb_anhalten(), Qt::LeftButton);
    once(&progress, [&progress] { return progress.pb_skript_beenden()->isVisible(); },
         [&progress] { QTest::mouseClick(progress.pb_skript_beenden(), Qt::LeftButton); });
}

void closeMainWindow(SendFlow& test)
{
    QCloseEvent close;
    QSpontaneKeyEvent::setSpontaneous(&close);
    QApplication::instance()->notify(test.window.get(), &close);  // as the window system delivers it
    EXPECT_FALSE(close.isAccepted());  // an accepted close would let the window system close the window
}

const EndRow end_rows[] = {
    {"ScriptFailsAtBooking2", AtBooking::fail, {}, {"Stadtwerke", "Bäcker"},
     "„An Zandor senden“ ist fehlgeschlagen.\n\nDas Skript »buchungViaTessel.scpt« ist mit Status 5 beendet worden: "
     "Konto gesperrt\n\nDas Skript der Buchung vom 02.01.2006 über 50,00 € von Girokonto an Unbekannt, Zahlungspartner "
     "»Bäcker« (Zeile 6 der Datei »konto.qif«) ist nicht wie vorgesehen zu Ende gegangen. Sie kann in Zandor angekommen "
     "sein oder nicht: bitte dort nachsehen.\n\nBis dahin wurde 1 von 3 Buchungen dieser Datei an Zandor gesendet.",
     baecker_in_doubt},
    {"EscapeOnTheProgressWindow", AtBooking::wait_for_test,
     stopping([](auto&, auto& progress) { QTest::keyClick(&progress, Qt::Key_Escape); }),
     {"Stadtwerke", "Bäcker"}, "Senden angehalten. Bis dahin wurden 2 von 3 Buchungen dieser Datei an Zandor gesendet.",
     two_of_three},
    {"AnhaltenWhileTheScriptHangsThenSkriptBeenden", AtBooking::hang,
     [](SendFlow&, ui::wFortschritt& progress) { stopThenEndScript(progress); },
     {"Stadtwerke", "Bäcker"},
     "Senden angehalten. Bis dahin wurde 1 von 3 Buchungen dieser Datei an Zandor gesendet.\n\nDas Skript der "
     "Buchung vom 02.01.2006 über 50,00 € von Girokonto an Unbekannt, Zahlungspartner »Bäcker« (Zeile 6 der Datei "
     "»konto.qif«) wurde beendet, bevor es fertig war. Sie kann in Zandor angekommen sein oder nicht: bitte dort "
     "nachsehen.",
     baecker_in_doubt},
    // Counted by the file: the progress and the message go on from the booking the first send stopped at.
    {"ResumedThenSkriptBeenden", AtBooking::hang,
     [](SendFlow&, ui::wFortschritt& progress) {
         EXPECT_EQ(progress.StaticText1()->text(), "2 von 3 Buchungen gesendet");
         stopThenEndScript(progress);
     },
     {"Bäcker", "Arbeitgeber"},
     "Senden angehalten. Bis dahin wurden 2 von 3 Buchungen dieser Datei an Zandor gesendet.\n\nDas Skript der "
     "Buchung vom 05.01.2006 über 2.500,00 € von Unbekannt an Girokonto, Zahlungspartner »Arbeitgeber« (Zeile 11 der "
     "Datei »konto.qif«) wurde beendet, bevor es fertig war. Sie kann in Zandor angekommen sein oder nicht: bitte dort "
     "nachsehen.",
     "2 von 3 Buchungen dieser Datei wurden schon an »Girokonto« gesendet. Ob Buchung 3 (05.01.2006, 2.500,00 €, "
     "»Arbeitgeber«) in Zandor angekommen ist, ist unklar: Ihr Skript ist nicht wie vorgesehen zu Ende gegangen. Bitte "
     "dort nachsehen. Steht sie in Zandor, ist die Datei damit ganz gesendet; fehlt sie dort, geht es mit Buchung 3 "
     "weiter.",
     false, true},
    {"QuitItemAsksFirst", AtBooking::wait_for_test,
     quitting([](auto& test, auto&) { test.window->FileQuit()->trigger(); }), {"Stadtwerke", "Bäcker"}, quit_question,
     "", true},
    {"QuitKeyAsksFirst", AtBooking::wait_for_test,
     quitting([](auto&, auto& progress) { QTest::keyClick(&progress, Qt::Key_Q, Qt::ControlModifier); }),
     {"Stadtwerke", "Bäcker"}, quit_question, "", true},
    {"MainWindowCloseBoxAsksFirst", AtBooking::wait_for_test,
     quitting([](auto& test, auto&) { closeMainWindow(test); }), {"Stadtwerke", "Bäcker"}, quit_question, "", true},
    // The question's default goes on sending, and the send went on while it was open.
    {"QuitQuestionAnsweredByDefault", AtBooking::wait_for_test,
     [](SendFlow& test, ui::wFortschritt&) {
         closeMainWindow(test);
         const auto answered = [&test] { return !test.dialogs.messages().isEmpty() && !QApplication::activeModalWidget(); };
         once(test.window.get(), answered, [&test] { test.release(); });
     },
     {"Stadtwerke", "Bäcker", "Arbeitgeber"}, quit_question, ""},
    {"SystemAsksToEndDuringBooking2", AtBooking::wait_for_test, stopping([](auto&, auto&) {
         QEvent quit(QEvent::Quit);
         QCoreApplication::sendEvent(QCoreApplication::instance(), &quit);
         EXPECT_FALSE(quit.isAccepted());  // an accepted request would end the program at once
     }),
     {"Stadtwerke", "Bäcker"}, "", "", true},
    {"TerminationSignalDuringBooking2", AtBooking::wait_for_test,
     stopping([](auto&, auto&) { std::raise(SIGTERM); }), {"Stadtwerke", "Bäcker"}, "", "", true},
};

class HowASendEnds : public SendFlow, public ::testing::WithParamInterface<EndRow> {};

TEST_P(HowASendEnds, ScriptReceivedMessageAndNextPress)
{
    const EndRow& row = GetParam();
    platform::QuitOnTerminationSignal();
    if (row.resumed) {
        standIn(AtBooking::fail);
        send();
        fs::remove(bundle.bookingLog());
        dialogs.answerQuestion("Fehlt in Zandor");
    }
    standIn(row.at_booking_2);
    sendActingAt(2, [&](ui::wFortschritt& progress) {
        if (row.act)
            row.act(*this, progress);
    });
    EXPECT_EQ(received(), row.received);
    EXPECT_EQ(lastMessage(), row.message);
    EXPECT_EQ(confirmations(), row.received.size() == 3 && !row.quits ? 1 : 0);
    EXPECT_EQ(progressWindow(), nullptr);  // gone with the send
    EXPECT_TRUE(window->isVisible());
    if (row.quits) {
        ASSERT_TRUE(platform::QuitRequested());
        EXPECT_EQ(platform::RunEventLoop(), 0);  // ends at once, with status 0
        return;
    }
    EXPECT_FALSE(platform::QuitRequested());
    const qsizetype told_before = dialogs.messages().size();
    standIn(AtBooking::nothing);
    send();  // a question it asks is cancelled
    EXPECT_EQ(dialogs.messages().mid(told_before).join("|").toStdString(), row.next_press_asks);
    EXPECT_TRUE(row.next_press_asks.empty() || received() == row.received) << "a cancelled question sends nothing";
}

INSTANTIATE_TEST_SUITE_P(Window, HowASendEnds, ::testing::ValuesIn(end_rows),
                         [](const auto& row) { return std::string(row.param.name); });

// A send that did not complete, then a change, and the next press: what it
// asks, and what the answer sends. The window remembers the send by the
// content of its lines, across a file chosen again, until lines of other
// content are loaded.
struct AnswerRow {
    const char* name;
    AtBooking at_booking;  // how the first send ended
    std::function<void(SendFlow&)> change;
    const char* answer;
    std::string question;  // "" when the press asks none
    const char* default_answer;
    std::vector<std::string> sent;
    bool category_boxes_ticked = false;  // "Kategorien berücksichtigen" and "… als Gegenkonto behandeln"
};

void PrintTo(const AnswerRow& row, std::ostream* out) { *out << row.name; }

void chooseSameContent(SendFlow& test) { test.choose(test.bundle.file("kopie.qif", three_records)); }

const std::string one_of_three = "1 von 3 Buchungen dieser Datei wurde schon an »Girokonto« gesendet.";

const AnswerRow answer_rows[] = {
    {"SameContentAgainAllAgain", AtBooking::cannot_start_again, chooseSameContent, "Alle senden",
     one_of_three + " Mit Buchung 2 weitermachen?", "Weitersenden", {"Stadtwerke", "Bäcker", "Arbeitgeber"}},
    {"ATickedBoxIsNamed", AtBooking::cannot_start_again, [](SendFlow& test) { test.window->mit_kat()->setChecked(true); },
     "Weitersenden", one_of_three + " Seitdem geändert: mit „Kategorien berücksichtigen“. Mit Buchung 2 weitermachen?",
     "Weitersenden", {"Bäcker", "Arbeitgeber"}},
    {"ABoxThatLeavesABookingOutOffersAllOnly", AtBooking::cannot_start_again,
     [](SendFlow& test) { test.window->kat_gleich()->setChecked(true); }, "Alle senden",
     one_of_three + " Seitdem geändert: mit „Nicht importieren, wenn Kategorie=Gegenkonto“. Damit gehen andere "
                    "Buchungen hinaus, und welche davon noch fehlen, lässt sich nicht mehr sagen. Alle Buchungen der "
                    "Datei noch einmal senden?",
     "Abbrechen", {"Stadtwerke", "Arbeitgeber"}, true},
    {"InDoubtStehtInZandor", AtBooking::fail, chooseSameContent, "Steht in Zandor", baecker_in_doubt, "Abbrechen",
     {"Arbeitgeber"}},
    {"OtherContentForgetsTheSend", AtBooking::fail,
     [](SendFlow& test) { test.choose(test.bundle.file("anders.qif", three_records.substr(0, three_records.find("D02")))); }, "", "", "",
     {"Stadtwerke"}},
};

class WhatEachAnswerSends : public SendFlow, public ::testing::WithParamInterface<AnswerRow> {};

TEST_P(WhatEachAnswerSends, AfterASendThatDidNotComplete)
{
    const AnswerRow& row = GetParam();
    window->mit_kat()->setChecked(row.category_boxes_ticked);
    window->kat_konto()->setChecked(row.category_boxes_ticked);
    standIn(row.at_booking, row.at_booking == AtBooking::fail ? 2 : 1);
    send();
    if (row.change)
        row.change(*this);
    standIn(AtBooking::nothing);
    fs::remove(bundle.bookingLog());
    const qsizetype told_before = dialogs.messages().size();
    dialogs.answerQuestion(row.answer);
    send();
    EXPECT_EQ(received(), row.sent);
    EXPECT_EQ(dialogs.messages().mid(told_before).join("|").toStdString(), row.question);
    EXPECT_EQ(dialogs.defaultAnswers().mid(told_before).join("|").toStdString(), row.default_answer);
}

INSTANTIATE_TEST_SUITE_P(Window, WhatEachAnswerSends, ::testing::ValuesIn(answer_rows),
                         [](const auto& row) { return std::string(row.param.name); });

// One question names the bookings without a date and those without an
// amount, and the last record, which ends without "^"; "Abbrechen" (the
// default) sends nothing, "Trotzdem senden" sends what the rules leave of
// them, "Nur lesbare senden" the others, counts only those, and then names
// those left out. The last record is never sent.
TEST_F(SendFlow, UnreadableDatesAndAmountsAreAskedAboutTogether)
{
    choose(bundle.file("konto.qif", "!Type:Bank\nD06.05.2006\nT-1,00\n^\nD31.12.2005\nTabc\n^\nD02.01.2006\nT-50,00\n^\n"
                                    "D05.05.2006\nT12 34\n^\nD07.05.2006\nT-9,00\n"));
    window->monat_tag()->setChecked(true);  // turns 31.12.2005 into month 31
    const std::pair<std::string_view, std::vector<std::string>> answers[] = {
        {"Abbrechen", {}}, {"Trotzdem senden", {"100", "abc", "5000", "12 34"}}, {"Nur lesbare senden", {"100", "5000"}}};
    for (const auto& [answer, amounts] : answers) {
        fs::remove(bundle.bookingLog());
        dialogs.answerQuestion(answer);
        send();
        EXPECT_EQ(received(2), amounts) << answer;
    }
    EXPECT_EQ(dialogs.messages()[0].toStdString(),
              "1 Buchung ohne lesbares Datum (Zeile 5) ginge mit leerem Datum an Zandor.\n2 Buchungen ohne lesbaren Betrag "
              "(Zeilen 6, 12) gingen mit dem an Zandor, was die Regeln für Beträge von ihrer T-Zeile übrig lassen (aus "
              "T1.234 wird 123, also 1,23 €).\n\nDer letzte Datensatz (ab Zeile 14) endet ohne „^“ und wird nicht "
              "gesendet.\n\nZeile 5 liest sich nur als Tag.Monat: D31.12.2005; mit „Monat/Tag "
              "tauschen“ gingen 2 Buchungen mit vertauschtem Tag und Monat hinaus.\nOhne „Monat/Tag tauschen“ wären alle "
              "Daten lesbar.\n\n„Nur lesbare senden“ sendet alle anderen Buchungen und lässt die ohne lesbares Datum "
              "oder ohne lesbaren Betrag weg.\n\nTrotzdem senden?");
    EXPECT_EQ(lastMessage(), "2 Buchungen an Zandor gesendet.\n\nNicht gesendet: 1 Buchung ohne lesbares Datum (Zeile 5); "
                             "2 Buchungen ohne lesbaren Betrag (Zeilen 6, 12).");
    EXPECT_EQ(dialogs.defaultAnswers(), (QStringList{"Abbrechen", "Abbrechen", "Abbrechen", ""}));  // the last: the message
    EXPECT_EQ(confirmations(), 1);  // after "Trotzdem senden"
    fs::remove(bundle.bookingLog());
    standIn(AtBooking::fail);
    dialogs.answerQuestion("Nur lesbare senden");
    send();
    EXPECT_TRUE(lastMessage().ends_with("Bis dahin wurde 1 von 2 Buchungen dieser Datei an Zandor gesendet.")) << lastMessage();
    choose(bundle.file("konto.qif", "!Type:Bank\nD01.01.2006\nTabc\n^\n"));
    dialogs.answerQuestion("Nur lesbare senden");
    send();
    EXPECT_EQ(lastMessage(), "Keine Buchung gesendet.\n\nNicht gesendet: 1 Buchung ohne lesbaren Betrag (Zeile 3).");
}

// German dates whose days are all 12 or less, with the box left ticked from a
// French file: the question says what the box would do, "Abbrechen" (the
// default) sends nothing, "Trotzdem senden" sends what the box reads.
TEST_F(SendFlow, ABoxLeftTickedOnGermanDaysUpTo12IsAskedAbout)
{
    choose(bundle.file("deutsch.qif", "!Type:Bank\nD01.03.2026\nT-1,00\n^\nD05.03.2026\nT-2,00\n^\nD10.03.2026\nT-3,00\n^\n"));
    window->monat_tag()->setChecked(true);
    for (const std::string_view answer : {"Abbrechen", "Trotzdem senden"}) {
        dialogs.answerQuestion(answer);
        send();
    }
    EXPECT_EQ(received(0), (std::vector<std::string>{"03.01.2026", "03.05.2026", "03.10.2026"}));
    EXPECT_EQ(dialogs.messages().first().toStdString(),
              "Nichts in der Datei sagt, ob sie den Tag oder den Monat zuerst schreibt; bei 3 Buchungen ergibt das zwei "
              "verschiedene Daten: D01.03.2026 ginge als 03.01.2026 hinaus, ohne den Haken als 01.03.2026.\n\n"
              "Trotzdem senden?");
    EXPECT_EQ(dialogs.defaultAnswers(), (QStringList{"Abbrechen", "Abbrechen"}));
}

// While a script sleeps for a second, the program answers at once: an event
// posted, a timer and a socket notifier of the test's own all fire before the
// script has ended, and the progress window takes "Anhalten" and shows it; the
// send stops right after that script.
TEST_F(SendFlow, EveryEventIsAnsweredWhileAScriptSleeps)
{
    const fs::path script_ended = bundle.folder / "ende";
    bundle.writeScript(kBuchungScript, "#!/bin/sh\nprintf 'x\\036' >> '" + bundle.bookingLog().string()
                                           + "'\nsleep 1\ntouch '" + script_ended.string() + "'\n");
    std::map<std::string, bool> fired_while_script_ran;
    const auto note = [&](const char* what) { fired_while_script_ran[what] = !fs::exists(script_ended); };
    QObject receiver;
    int sockets[2] = {-1, -1};
    ASSERT_EQ(::socketpair(AF_UNIX, SOCK_STREAM, 0, sockets), 0);
    QSocketNotifier notifier(sockets[1], QSocketNotifier::Read);
    QObject::connect(&notifier, &QSocketNotifier::activated, [&] {
        notifier.setEnabled(false);
        note("socket notifier");
    });
    sendActingAt(1, [&](ui::wFortschritt& progress) {
        EXPECT_EQ(progress.StaticText1()->text(), "0 von 3 Buchungen gesendet");
        QTest::mouseClick(progress.pb_anhalten(), Qt::LeftButton);
        note(progress.pb_anhalten()->isEnabled() ? "Anhalten not taken" : "Anhalten shown");
        QMetaObject::invokeMethod(&receiver, [&] { note("posted event"); }, Qt::QueuedConnection);
        QTimer::singleShot(10, &receiver, [&] { note("timer"); });
        EXPECT_EQ(::write(sockets[0], "x", 1), 1);
    });
    ::close(sockets[0]);
    ::close(sockets[1]);
    const std::map<std::string, bool> all_while_script_ran{
        {"Anhalten shown", true}, {"posted event", true}, {"socket notifier", true}, {"timer", true}};
    EXPECT_EQ(fired_while_script_ran, all_while_script_ran);
    EXPECT_EQ(bundle.bookingsRecorded().size(), 1u);
    EXPECT_EQ(lastMessage(), "Senden angehalten. Bis dahin wurde 1 von 3 Buchungen dieser Datei an Zandor gesendet.");
}

}  // namespace
}  // namespace velmora::testing
