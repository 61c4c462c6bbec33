// velmora-import's record of what it sent, as a process: however a send ends
// (done, a failing script, Ctrl+C once or twice, the program killed between
// two lines), the record tells the truth and the same call again sends
// exactly the rest; and a record that is cut, foreign, unwritable or held by
// another sender never lets a booking go out twice.
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <atomic>
#include <chrono>
#include <csignal>
#include <cstdio>
#include <map>
#include <thread>

#include "record/sent_record.h"
#include "tests/cli/import_program.h"

namespace velmora::testing {
namespace {

// Four bookings, told apart by their payees P1 to P4; the file says its dates are month first.
constexpr std::string_view four_records = "!Option:MDY\n!Type:Bank\nD11/03/2026\nT-1.00\nPP1\n^\nD11/03/2026\nT-2.00\nPP2\n^\n"
                                          "D11/04/2026\nT-3.00\nPP3\n^\nD11/05/2026\nT4.00\nPP4\n^\n";
const std::vector<std::string> four_payees{"P1", "P2", "P3", "P4"};

// The record's events in short: «u1 g1 u2 ?2» is "unterwegs" P1, "gesendet" P1,
// "unterwegs" P2, "unklar" P2; other states by their first letter.
std::string eventsIn(const std::filesystem::path& record)
{
    std::string events;
    for (const std::string& line : split(readFile(record), '\n')) {  // the header is no event
        if (const auto event = record::ParseRecordLine(line)) {
            const char state = event->state == record::SentState::unklar ? '?' : line[line.find('\t') + 1];
            events += (events.empty() ? "" : " ") + std::string(1, state) + event->texts[6].substr(1);
        }
    }
    return events;
}

std::vector<std::string> payeesSent(const TemporaryBundle& bundle)
{
    std::vector<std::string> payees;
    for (const Texts& booking : bundle.bookingsRecorded())
        payees.push_back(booking[6]);
    return payees;
}

class SendingRecordTest : public ImportProgramTest {
protected:
    // The recording booking script, then `after`, with the booking's texts in "$@".
    void recordBookingsThen(const std::string& after) const
    {
        const std::string log = "'" + bundle.bookingLog().string() + "'";
        bundle.writeScript("buchungViaTessel.scpt", "#!/bin/sh\nfor text do printf '%s\\037' \"$text\"; done >> " + log
                                                     + "\nprintf '\\036' >> " + log + "\n" + after + "\n");
    }
    // The payees of what one call sends, its status checked; `last_call` keeps what it said.
    std::vector<std::string> sent(const std::vector<std::string>& arguments, int status = 0)
    {
        std::filesystem::remove(bundle.bookingLog());
        last_call = run(arguments);
        EXPECT_EQ(last_call.exit_status, status) << last_call.error_output;
        return payeesSent(bundle);
    }

    process::Outcome last_call;
};

// How the booking script ends after it booked P2, what the record then says,
// and what the same call sends again. P2 in doubt stays home until the user,
// having looked in Zandor, settles it; then the next call sends it or not,
// and nothing else.
struct EndRow {
    const char* name;
    std::string after_second;  // what the booking script does after it booked the second booking
    int status;                // -1: the program was killed
    std::string events;
    std::vector<std::string> sent_first;
    std::string says;          // what the first call says of how it ended
    const char* settled_with = nullptr;  // P2 is in doubt: the second call names it, and the user settles it so
    bool hangup_ignored = false;  // started as nohup starts it
};

// What velmora-import says to a settlement, followed by the booking settled
// (--vergessen releases every booking the record knows), and what the next call sends.
const std::map<std::string, std::pair<std::string, std::vector<std::string>>, std::less<>> settlements{
    {"--angekommen", {"1 Buchung als angekommen vermerkt: sie gilt als an »Girokonto« gesendet.\n", {}}},
    {"--nicht-angekommen",
     {"1 Buchung als nicht angekommen vermerkt: der nächste Aufruf sendet sie an »Girokonto«.\n", {"P2"}}},
    {"--vergessen", {"4 Buchungen freigegeben: sie gelten nicht mehr als an »Girokonto« gesendet.\n", four_payees}},
};

void PrintTo(const EndRow& row, std::ostream* out) { *out << row.name; }

class RunEnds : public SendingRecordTest, public ::testing::WithParamInterface<EndRow> {};

TEST_P(RunEnds, RecordTellsTheTruthAndTheSameCallSendsExactlyTheRest)
{
    const EndRow& row = GetParam();
    const bool in_doubt = row.settled_with != nullptr;
    const std::string qif = file("konto 2026.qif", four_records);  // a blank the calls that settle it must quote
    recordBookingsThen("if [ \"$7\" = P2 ]; then :; " + row.after_second + "\nfi");
    const auto previous = std::signal(SIGHUP, row.hangup_ignored ? SIG_IGN : SIG_DFL);  // inherited, as from nohup
    const process::Outcome first = run({"--konto", "Girokonto", qif});
    std::signal(SIGHUP, previous);
    EXPECT_EQ(first.exited_normally ? first.exit_status : -1, row.status) << first.error_output;
    EXPECT_EQ(eventsIn(record()), row.events);
    EXPECT_EQ(payeesSent(bundle), row.sent_first);
    EXPECT_NE(first.error_output.find(row.says), std::string::npos) << first.error_output;
    EXPECT_EQ(first.error_output.find("--alle"), std::string::npos) << first.error_output;

    bundle.recordBookings();
    const std::vector<std::string> rest(four_payees.begin() + static_cast<long>(row.sent_first.size()), four_payees.end());
    EXPECT_EQ(sent({"--konto", "Girokonto", qif}, in_doubt ? 4 : 0), rest);
    const std::string& again = last_call.error_output;
    const std::string p2 = "  " + qif + ", Zeile 7: 03.11.2026  2,00 €  von Girokonto an Unbekannt  P2";
    const std::string named = "1 Buchung nicht gesendet, denn ob sie in Zandor angekommen ist, ist unklar:\n" + p2;
    EXPECT_EQ(again.find(named + "  (unklar seit ") != std::string::npos, in_doubt) << again;
    EXPECT_EQ(again.find("velmora-import --konto Girokonto --nicht-angekommen '" + qif + "'\n") != std::string::npos,
              in_doubt) << again;
    if (!in_doubt)
        return;
    const auto& [says, sent_then] = settlements.find(row.settled_with)->second;
    EXPECT_EQ(run({"--konto", "Girokonto", row.settled_with, qif}).standard_output,
              says + (std::string_view(row.settled_with) == "--vergessen" ? "" : p2 + "\n"));
    EXPECT_EQ(sent({"--konto", "Girokonto", qif}), sent_then);
    EXPECT_EQ(sent({"--konto", "Girokonto", qif}), std::vector<std::string>{});
}

const EndRow end_rows[] = {
    {"Completes", "", 0, "u1 g1 u2 g2 u3 g3 u4 g4", {"P1", "P2", "P3", "P4"}, ""},
    // An answer that timed out after Zandor took the booking.
    {"ScriptExits1AfterBooking", "echo 'AppleEvent timed out. (-1712)' >&2; exit 1", 4, "u1 g1 u2 ?2", {"P1", "P2"},
     "Status 1 beendet worden: AppleEvent timed out. (-1712)\n\nOb diese Buchung in Zandor angekommen ist, ist unklar:\n"
     "  ", "--angekommen"},
    {"ScriptKilledBySigkill", "kill -KILL $$", 4, "u1 g1 u2 ?2", {"P1", "P2"},
     "Fehlt sie:\n  velmora-import --konto Girokonto --nicht-angekommen ", "--nicht-angekommen"},
    // A shutdown: the program and the script's process group get SIGTERM at once.
    {"ProgramAndScriptGroupTerminated", "kill -TERM $PPID 0", 4, "u1 g1 u2 ?2", {"P1", "P2"},
     "Abgebrochen (Beenden angefordert, SIGTERM). Das Skript »buchungViaTessel.scpt« ist durch Signal 15", "--vergessen"},
    {"CtrlCTwiceEndsTheScript", "kill -INT $PPID; sleep 0.2; kill -INT $PPID; sleep 20", 4, "u1 g1 u2 ?2",
     {"P1", "P2"}, "Abgebrochen (zweimal Strg+C): Das Buchungsskript wurde mitten in einer Buchung beendet.",
     "--nicht-angekommen"},
    // The helper left the script's process group and holds its output: the second signal still ends the wait.
    {"SecondSignalDespiteAHelperOfItsOwnSession",
     "setsid sleep 20 & kill -HUP $PPID; sleep 0.2; kill -TERM $PPID; sleep 20", 4, "u1 g1 u2 ?2", {"P1", "P2"},
     "Abgebrochen (Terminal geschlossen, dann Beenden angefordert, SIGTERM)", "--angekommen"},
    {"KilledBetweenUnterwegsAndGesendet", "kill -KILL $PPID", -1, "u1 g1 u2", {"P1", "P2"}, "", "--vergessen"},
    // Nothing can have arrived of a booking whose script did not start.
    {"ThirdScriptCannotStart", "chmod -x \"$0\"", 1, "u1 g1 u2 g2 u3 n3", {"P1", "P2"},
     "ließ sich nicht starten: Die Datei darf nicht ausgeführt werden"},
    // One signal: the running booking finishes, and the send stops after it.
    {"CtrlC", "kill -INT $PPID", 130, "u1 g1 u2 g2", {"P1", "P2"}, "Abgebrochen (Strg+C)."},
    {"Terminated", "kill -TERM $PPID", 143, "u1 g1 u2 g2", {"P1", "P2"}, "Abgebrochen (Beenden angefordert, SIGTERM)."},
    {"TerminalClosed", "kill -HUP $PPID", 129, "u1 g1 u2 g2", {"P1", "P2"}, "Abgebrochen (Terminal geschlossen)."},
    {"QuitSignal", "kill -QUIT $PPID", 131, "u1 g1 u2 g2", {"P1", "P2"}, "Abgebrochen (SIGQUIT)."},
    {"TerminalClosedUnderNohup", "kill -HUP $PPID", 0, "u1 g1 u2 g2 u3 g3 u4 g4", {"P1", "P2", "P3", "P4"},
     "4 Buchungen", nullptr, true},
};

INSTANTIATE_TEST_SUITE_P(SendingRecord, RunEnds, ::testing::ValuesIn(end_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// What the record knows stays home, unless --alle; --ohne-protokoll sends
// all and leaves the record as it is.
TEST_F(SendingRecordTest, AlleAndOhneProtokollSendWhatTheRecordKnows)
{
    const std::string qif = file("konto.qif", four_records);
    ASSERT_EQ(sent({"--konto", "Girokonto", qif}), four_payees);
    const std::string known = readFile(record());
    EXPECT_EQ(sent({"--konto", "Girokonto", "--ohne-protokoll", qif}), four_payees);
    EXPECT_EQ(readFile(record()), known);
    EXPECT_EQ(sent({"--konto", "Girokonto", qif}), std::vector<std::string>{});
    EXPECT_EQ(sent({"--konto", "Girokonto", "--alle", qif}), four_payees);
}

// A crash's cut last line is passed over; a foreign line is named once; the
// rest of the record still counts, and new lines start on lines of their own.
TEST_F(SendingRecordTest, CutAndForeignLinesLeaveTheRestOfTheRecordInForce)
{
    const std::string qif = file("konto.qif", four_records);
    ASSERT_EQ(run({"--konto", "Girokonto", qif}).exit_status, 0);
    std::string content = readFile(record());
    const std::size_t third_booking = content.rfind('\n', content.find("|P3|")) + 1;
    writeFile(record(), content.substr(0, third_booking) + "Notiz: Dezember prüfen\n"
                            + "2026-12-06T10:00:00+0100\tgesendet\tGiroko");

    EXPECT_EQ(sent({"--konto", "Girokonto", qif}), (std::vector<std::string>{"P3", "P4"}));
    const std::string& again = last_call.error_output;
    EXPECT_NE(again.find(": Zeile 6 ist keine Zeile von velmora-import und bleibt unbeachtet.\n"), std::string::npos)
        << again;
    EXPECT_EQ(again.find("Zeile 7"), std::string::npos) << again;
    EXPECT_EQ(eventsIn(record()), "u1 g1 u2 g2 u3 g3 u4 g4");
}

// A disk that fills part-way (here: a limit on the size of any file the
// program writes) stops the send with a status of its own, not a script's.
TEST_F(SendingRecordTest, ARecordLineThatCannotBeWrittenStopsTheSendWithItsOwnStatus)
{
    const std::string qif = file("konto.qif", four_records);
    rlimit before{};
    ASSERT_EQ(::getrlimit(RLIMIT_FSIZE, &before), 0);
    const rlimit small{1024, before.rlim_max};
    const auto previous_handler = std::signal(SIGXFSZ, SIG_IGN);  // a write past the limit then fails instead
    ASSERT_EQ(::setrlimit(RLIMIT_FSIZE, &small), 0);
    const process::Outcome outcome = run({"--konto", "Girokonto", qif});
    ::setrlimit(RLIMIT_FSIZE, &before);
    std::signal(SIGXFSZ, previous_handler);
    EXPECT_EQ(outcome.exit_status, 5) << outcome.error_output;
    EXPECT_NE(outcome.error_output.find("lässt sich nicht schreiben: Die Datei ist zu groß."), std::string::npos)
        << outcome.error_output;  // the system's text in German
    EXPECT_LT(payeesSent(bundle).size(), 4u);
}

// A record path that is no regular file is refused before anything is read,
// on preview and on send: a FIFO is never waited on, a device never read
// without end. A symbolic link to a record is a record.
struct PathRow {
    const char* name;
    const char* path;  // beside the bundle, unless absolute
    void (*make)(const std::filesystem::path&);
    std::string says;  // nothing: the path is taken as the record
};

void PrintTo(const PathRow& row, std::ostream* out) { *out << row.name; }

void makeSocket(const std::filesystem::path& path)
{
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    EXPECT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
    ::close(listening);  // the socket file stays
}

void linkToARecord(const std::filesystem::path& link)
{
    writeFile(link.parent_path() / "echt.tsv", record::record_header);
    std::filesystem::create_symlink("echt.tsv", link);
}

void makeNothing(const std::filesystem::path&) {}

const PathRow path_rows[] = {
    {"Device", "/dev/zero", makeNothing, "ist keine gewöhnliche Datei, sondern ein Gerät."},
    {"Fifo", "fifo.tsv", [](const std::filesystem::path& fifo) { EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0); },
     "ist keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)."},
    {"Socket", "s.tsv", makeSocket, "ist keine gewöhnliche Datei, sondern ein Socket."},
    {"Folder", "ordner.tsv", [](const std::filesystem::path& folder) { std::filesystem::create_directory(folder); },
     "ist keine gewöhnliche Datei, sondern ein Ordner."},
    {"FileThatIsNoRecord", "konto.qif", makeNothing, "ist kein Protokoll von velmora-import"},
    {"SymbolicLinkToARecord", "verweis.tsv", linkToARecord, ""},
};

class RecordPath : public SendingRecordTest, public ::testing::WithParamInterface<PathRow> {};

TEST_P(RecordPath, IsARegularFileOrRefusedBeforeAnyReading)
{
    const PathRow& row = GetParam();
    const std::string qif = file("konto.qif", four_records);
    const std::filesystem::path record = bundle.folder / row.path;
    row.make(record);
    for (const bool preview : {true, false}) {
        std::vector<std::string> arguments{"--konto", "Girokonto", "--protokoll", record.string(), qif};
        if (preview)
            arguments.push_back("--vorschau");
        const process::Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.exit_status, row.says.empty() ? 0 : 2) << preview << outcome.error_output;
        EXPECT_NE(outcome.error_output.find(row.says), std::string::npos) << outcome.error_output;
    }
    EXPECT_EQ(readFile(qif), four_records);
    EXPECT_EQ(payeesSent(bundle), row.says.empty() ? four_payees : std::vector<std::string>{});
    if (row.says.empty()) {
        EXPECT_EQ(eventsIn(bundle.folder / "echt.tsv"), "u1 g1 u2 g2 u3 g3 u4 g4");
    }
}

INSTANTIATE_TEST_SUITE_P(SendingRecord, RecordPath, ::testing::ValuesIn(path_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// While one velmora-import sends, a second send is refused at once and sends
// nothing; a preview does not wait: it says so, and names the booking that
// sender has "unterwegs" as being sent, not as unclear.
TEST_F(SendingRecordTest, BesideARunningSendASecondIsRefusedAndAPreviewSaysSo)
{
    const std::string qif = file("konto.qif", four_records);
    const std::filesystem::path go_on = bundle.folder / "weiter";
    recordBookingsThen("[ \"$7\" != P2 ] || while [ ! -e '" + go_on.string() + "' ]; do sleep 0.01; done");
    std::atomic<bool> finished = false;
    std::thread sender([&] {
        EXPECT_EQ(run({"--konto", "Girokonto", qif}).exit_status, 0);
        finished = true;
    });
    while (!finished && payeesSent(bundle).size() < 2)
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    // Only while that sender waits at P2: had it ended, a send here would book P2 and wait for good.
    const process::Outcome second = finished ? process::Outcome{} : run({"--konto", "Girokonto", qif});
    const process::Outcome preview = finished ? process::Outcome{} : run({"--konto", "Girokonto", "--vorschau", qif});
    EXPECT_EQ(eventsIn(record()), "u1 g1 u2");
    writeFile(go_on, "");
    sender.join();
    EXPECT_EQ(second.exit_status, 2);
    EXPECT_NE(second.error_output.find("Ein anderes velmora-import sendet gerade"), std::string::npos)
        << second.error_output;
    EXPECT_EQ(payeesSent(bundle), four_payees);  // none twice
    EXPECT_EQ(preview.exit_status, 0);
    EXPECT_NE(preview.error_output.find("Ein anderes velmora-import sendet gerade mit dem Protokoll"), std::string::npos)
        << preview.error_output;
    EXPECT_NE(preview.error_output.find("1 Buchung wird gerade von einem anderen velmora-import gesendet:\n  " + qif
                                        + ", Zeile 7: 03.11.2026"),
              std::string::npos) << preview.error_output;
    EXPECT_EQ(preview.error_output.find("unklar"), std::string::npos) << preview.error_output;
    EXPECT_NE(preview.standard_output.find("wird gesendet"), std::string::npos) << preview.standard_output;
}

}  // namespace
}  // namespace velmora::testing
