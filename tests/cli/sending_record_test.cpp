// velmora-import's record of what it sent, as a process: however a send ends
// (done, a failing script, Ctrl+C once or twice, the program killed between
// two lines), the record tells the truth and the same call again sends
// exactly the rest; and a record that is cut, foreign, unwritable or held by
// another sender never lets a booking go out twice.
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <functional>
#include <thread>

#include "record/record_file.h"
#include "record/sent_record.h"
#include "tests/cli/import_program.h"

namespace velmora::testing {
namespace {

// Four bookings, told apart by their payees P1 to P4; the file says its dates are month first.
constexpr std::string_view four_records = "!Option:MDY\n!Type:Bank\nD11/03/2026\nT-1.00\nPP1\n^\nD11/03/2026\nT-2.00\nPP2\n^\n"
                                          "D11/04/2026\nT-3.00\nPP3\n^\nD11/05/2026\nT4.00\nPP4\n^\n";

// The record's events in short: «u1 g1 u2 f2» is "unterwegs" P1, "gesendet" P1, ...
std::string eventsIn(const std::filesystem::path& record)
{
    std::string events;
    const std::string content = readFile(record);
    for (const std::string& line : split(content.substr(std::min(content.size(), record::record_header.size())), '\n')) {
        if (const auto event = record::ParseRecordLine(line))
            events += (events.empty() ? "" : " ") + std::string(1, line[line.find('\t') + 1]) + event->texts[6].substr(1);
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

struct EndRow {
    const char* name;
    std::string before_second, after_second;  // what the booking script does around the second booking
    int status;                                // -1: the program was killed
    std::string events;
    std::vector<std::string> sent_first, sent_again;
    std::string says;           // what the first call says of how it ended
    bool says_unclear = false;  // the second call leaves a booking unclear, and says so
};

void PrintTo(const EndRow& row, std::ostream* out) { *out << row.name; }

class RunEnds : public ImportProgramTest, public ::testing::WithParamInterface<EndRow> {
protected:
    // The recording booking script, with something done around its second booking.
    void scriptTheSecondBooking(const EndRow& row) const
    {
        const std::string log = "'" + bundle.bookingLog().string() + "'";
        const std::string count = "'" + (bundle.folder / "count").string() + "'";
        bundle.writeScript("buchungViaTessel.scpt",
                           "#!/bin/sh\nn=$(($(cat " + count + " 2>/dev/null || echo 0) + 1)); echo $n > " + count + "\n"
                           "if [ $n -eq 2 ]; then :; " + row.before_second + "\nfi\n"
                           "for text do printf '%s\\037' \"$text\"; done >> " + log + "\nprintf '\\036' >> " + log + "\n"
                           "if [ $n -eq 2 ]; then :; " + row.after_second + "\nfi\n");
    }
};

TEST_P(RunEnds, RecordTellsTheTruthAndTheSameCallSendsExactlyTheRest)
{
    const EndRow& row = GetParam();
    const std::string qif = file("konto.qif", four_records);
    scriptTheSecondBooking(row);
    const process::Outcome first = run({"--konto", "Girokonto", qif});
    EXPECT_EQ(first.exited_normally ? first.exit_status : -1, row.status) << first.error_output;
    EXPECT_EQ(eventsIn(record()), row.events);
    EXPECT_EQ(payeesSent(bundle), row.sent_first);
    if (row.status != 0 && row.status != -1) {
        EXPECT_NE(first.error_output.find("Derselbe Aufruf noch einmal sendet genau die Buchungen"), std::string::npos)
            << first.error_output;
    }
    EXPECT_NE(first.error_output.find(row.says), std::string::npos) << first.error_output;

    std::filesystem::remove(bundle.bookingLog());
    bundle.recordBookings();
    const process::Outcome again = run({"--konto", "Girokonto", qif});
    EXPECT_EQ(again.exit_status, row.says_unclear ? 4 : 0) << again.error_output;
    EXPECT_EQ(payeesSent(bundle), row.sent_again);
    EXPECT_EQ(again.error_output.find("1 Buchung nicht gesendet: ob sie in Zandor angekommen sind, ist unklar") !=
                  std::string::npos, row.says_unclear) << again.error_output;
}

const EndRow end_rows[] = {
    {"Completes", "", "", 0, "u1 g1 u2 g2 u3 g3 u4 g4", {"P1", "P2", "P3", "P4"}, {}, ""},
    {"ScriptFailsAtTheSecond", "echo 'Konto gesperrt' >&2; exit 5", "", 1, "u1 g1 u2 f2", {"P1"}, {"P2", "P3", "P4"},
     "Konto gesperrt"},
    {"CtrlCDuringTheSecond", "", "kill -INT $PPID", 130, "u1 g1 u2 g2", {"P1", "P2"}, {"P3", "P4"},
     "Abgebrochen (Strg+C)."},
    {"TerminatedDuringTheSecond", "", "kill -TERM $PPID", 143, "u1 g1 u2 g2", {"P1", "P2"}, {"P3", "P4"},
     "Abgebrochen (Beenden angefordert, SIGTERM)."},
    {"TerminalClosedDuringTheSecond", "", "kill -HUP $PPID", 129, "u1 g1 u2 g2", {"P1", "P2"}, {"P3", "P4"},
     "Abgebrochen (Terminal geschlossen)."},
    {"QuitSignalDuringTheSecond", "", "kill -QUIT $PPID", 131, "u1 g1 u2 g2", {"P1", "P2"}, {"P3", "P4"},
     "Abgebrochen (SIGQUIT)."},
    {"CtrlCTwiceEndsTheSecondHalfWay", "kill -INT $PPID; sleep 0.2; kill -INT $PPID; sleep 20", "", 4, "u1 g1 u2",
     {"P1"}, {"P3", "P4"}, "Abgebrochen (zweimal Strg+C): Das Buchungsskript wurde mitten in einer Buchung beendet.",
     true},
    // The helper left the script's process group and holds its output: the second signal still ends the wait.
    {"SecondSignalDespiteAHelperOfItsOwnSession",
     "setsid sleep 20 & kill -HUP $PPID; sleep 0.2; kill -TERM $PPID; sleep 20", "", 4, "u1 g1 u2", {"P1"},
     {"P3", "P4"}, "Abgebrochen (Terminal geschlossen, dann Beenden angefordert, SIGTERM)", true},
    {"KilledBetweenUnterwegsAndGesendet", "", "kill -KILL $PPID", -1, "u1 g1 u2", {"P1", "P2"}, {"P3", "P4"}, "",
     true},
};

INSTANTIATE_TEST_SUITE_P(SendingRecord, RunEnds, ::testing::ValuesIn(end_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// A crash's cut last line is passed over; a foreign line is named once; the
// rest of the record still counts, and new lines start on lines of their own.
TEST_F(ImportProgramTest, CutAndForeignLinesLeaveTheRestOfTheRecordInForce)
{
    const std::string qif = file("konto.qif", four_records);
    ASSERT_EQ(run({"--konto", "Girokonto", qif}).exit_status, 0);
    std::string content = readFile(record());
    const std::size_t third_booking = content.rfind('\n', content.find("|P3|")) + 1;
    writeFile(record(), content.substr(0, third_booking) + "Notiz: Dezember prüfen\n"
                            + "2026-12-06T10:00:00+0100\tgesendet\tGiroko");
    std::filesystem::remove(bundle.bookingLog());

    const process::Outcome again = run({"--konto", "Girokonto", qif});
    EXPECT_EQ(again.exit_status, 0) << again.error_output;
    EXPECT_EQ(payeesSent(bundle), (std::vector<std::string>{"P3", "P4"}));
    EXPECT_NE(again.error_output.find(": Zeile 6 ist keine Zeile von velmora-import und bleibt unbeachtet.\n"),
              std::string::npos) << again.error_output;
    EXPECT_EQ(again.error_output.find("Zeile 7"), std::string::npos) << again.error_output;
    EXPECT_EQ(eventsIn(record()), "u1 g1 u2 g2 u3 g3 u4 g4");
}

// A disk that fills part-way (here: a limit on the size of any file the
// program writes) stops the send with a status of its own, not a script's.
TEST_F(ImportProgramTest, ARecordLineThatCannotBeWrittenStopsTheSendWithItsOwnStatus)
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
    EXPECT_NE(outcome.error_output.find("lässt sich nicht schreiben"), std::string::npos) << outcome.error_output;
    EXPECT_LT(payeesSent(bundle).size(), 4u);
}

// A record path that is no regular file is refused before anything is read,
// on preview and on send: a FIFO is never waited on, a device never read
// without end. A symbolic link to a record is a record.
struct PathRow {
    const char* name;
    std::function<std::string(const TemporaryBundle&, const std::string& qif)> path;
    int status;
    std::string says;
};

void PrintTo(const PathRow& row, std::ostream* out) { *out << row.name; }

std::string socketAt(const std::filesystem::path& path)
{
    const int listening = ::socket(AF_UNIX, SOCK_STREAM, 0);
    sockaddr_un address{};
    address.sun_family = AF_UNIX;
    std::snprintf(address.sun_path, sizeof address.sun_path, "%s", path.c_str());
    EXPECT_EQ(::bind(listening, reinterpret_cast<sockaddr*>(&address), sizeof address), 0) << path;
    ::close(listening);  // the socket file stays
    return path.string();
}

const PathRow path_rows[] = {
    {"Device", [](const TemporaryBundle&, const std::string&) { return std::string("/dev/zero"); }, 2,
     "ist keine gewöhnliche Datei, sondern ein Gerät."},
    {"Fifo",
     [](const TemporaryBundle& bundle, const std::string&) {
         const std::filesystem::path fifo = bundle.folder / "fifo.tsv";
         EXPECT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
         return fifo.string();
     },
     2, "ist keine gewöhnliche Datei, sondern eine benannte Pipe (FIFO)."},
    {"Socket", [](const TemporaryBundle& bundle, const std::string&) { return socketAt(bundle.folder / "s.tsv"); }, 2,
     "ist keine gewöhnliche Datei, sondern ein Socket."},
    {"Folder",
     [](const TemporaryBundle& bundle, const std::string&) {
         std::filesystem::create_directory(bundle.folder / "ordner.tsv");
         return (bundle.folder / "ordner.tsv").string();
     },
     2, "ist keine gewöhnliche Datei, sondern ein Ordner."},
    {"FileThatIsNoRecord", [](const TemporaryBundle&, const std::string& qif) { return qif; }, 2,
     "ist kein Protokoll von velmora-import"},
    {"SymbolicLinkToARecord",
     [](const TemporaryBundle& bundle, const std::string&) {
         writeFile(bundle.folder / "echt.tsv", std::string(record::record_header));
         std::filesystem::create_symlink(bundle.folder / "echt.tsv", bundle.folder / "verweis.tsv");
         return (bundle.folder / "verweis.tsv").string();
     },
     0, ""},
};

class RecordPath : public ImportProgramTest, public ::testing::WithParamInterface<PathRow> {};

TEST_P(RecordPath, IsARegularFileOrRefusedBeforeAnyReading)
{
    const PathRow& row = GetParam();
    const std::string qif = file("konto.qif", four_records);
    const std::string record = row.path(bundle, qif);
    for (const bool preview : {true, false}) {
        std::vector<std::string> arguments{"--konto", "Girokonto", "--protokoll", record, qif};
        if (preview)
            arguments.push_back("--vorschau");
        const process::Outcome outcome = run(arguments);
        EXPECT_EQ(outcome.exit_status, row.status) << preview << outcome.error_output;
        EXPECT_NE(outcome.error_output.find(row.says), std::string::npos) << outcome.error_output;
    }
    EXPECT_EQ(readFile(qif), four_records);
    EXPECT_EQ(bundle.bookingsRecorded().size(), row.status == 0 ? 4u : 0u);
    if (row.status == 0) {
        EXPECT_EQ(eventsIn(bundle.folder / "echt.tsv"), "u1 g1 u2 g2 u3 g3 u4 g4");
    }
}

INSTANTIATE_TEST_SUITE_P(SendingRecord, RecordPath, ::testing::ValuesIn(path_rows),
                         [](const auto& info) { return std::string(info.param.name); });

// A preview while another velmora-import sends says so, and names the booking
// that sender has "unterwegs" as being sent, not as unclear.
TEST_F(ImportProgramTest, PreviewBesideARunningSendSaysSo)
{
    const std::string qif = file("konto.qif", four_records);
    const std::filesystem::path go_on = bundle.folder / "weiter";
    const std::string log = "'" + bundle.bookingLog().string() + "'";
    bundle.writeScript("buchungViaTessel.scpt",
                       "#!/bin/sh\nprintf '%s\\036' \"$7\" >> " + log + "\n[ \"$7\" = P2 ] || exit 0\n"
                       "while [ ! -e '" + go_on.string() + "' ]; do sleep 0.01; done\n");
    std::thread sender([&] { EXPECT_EQ(run({"--konto", "Girokonto", qif}).exit_status, 0); });
    while (eventsIn(record()) != "u1 g1 u2")
        std::this_thread::sleep_for(std::chrono::milliseconds(10));

    const process::Outcome preview = run({"--konto", "Girokonto", "--vorschau", qif});
    writeFile(go_on, "");
    sender.join();
    EXPECT_EQ(preview.exit_status, 0);
    EXPECT_NE(preview.error_output.find("Ein anderes velmora-import sendet gerade mit dem Protokoll"), std::string::npos)
        << preview.error_output;
    EXPECT_NE(preview.error_output.find("1 Buchung wird gerade von einem anderen velmora-import gesendet:\n  03.11.2026"),
              std::string::npos) << preview.error_output;
    EXPECT_EQ(preview.error_output.find("unklar"), std::string::npos) << preview.error_output;
    EXPECT_NE(preview.standard_output.find("wird gesendet"), std::string::npos) << preview.standard_output;
}

// While one sender holds the record, a second is refused at once and sends
// nothing; a preview does not wait.
TEST_F(ImportProgramTest, TwoSendersNeverSendAtOnce)
{
    const std::string qif = file("konto.qif", four_records);
    const record::RecordFile held = record::RecordFile::ForWriting(record());
    const process::Outcome second = run({"--konto", "Girokonto", qif});
    EXPECT_EQ(second.exit_status, 2);
    EXPECT_NE(second.error_output.find("Ein anderes velmora-import sendet gerade"), std::string::npos)
        << second.error_output;
    EXPECT_TRUE(bundle.bookingsRecorded().empty());
    EXPECT_EQ(run({"--konto", "Girokonto", "--vorschau", qif}).exit_status, 0);
}

// The preview marks every booking; JSON lists only what would go out, unless
// --alle. --vergessen releases the bookings; --ohne-protokoll sends all and
// leaves the record as it is.
TEST_F(ImportProgramTest, PreviewMarksAndForgettingReleases)
{
    const std::string first = file("november.qif", four_records.substr(0, four_records.find("D11/04")));
    const std::string both = file("dezember.qif", four_records);
    ASSERT_EQ(run({"--konto", "Girokonto", first}).exit_status, 0);
    const std::string table = run({"--konto", "Girokonto", "--vorschau", both}).standard_output;
    EXPECT_NE(table.find("schon gesendet  03.11.2026"), std::string::npos) << table;
    EXPECT_NE(table.find("neu             05.11.2026"), std::string::npos) << table;
    const auto json_lines = [&](std::vector<std::string> extra) {
        extra.insert(extra.begin(), {"--konto", "Girokonto", "--vorschau", "--format", "json", both});
        return split(run(extra).standard_output, '\n').size() - 1;
    };
    EXPECT_EQ(json_lines({}), 2u);
    EXPECT_EQ(json_lines({"--alle"}), 4u);

    const process::Outcome forgotten = run({"--konto", "Girokonto", "--vergessen", both});
    EXPECT_EQ(forgotten.standard_output, "2 Buchungen freigegeben: sie gelten nicht mehr als an »Girokonto« gesendet.\n");
    EXPECT_EQ(eventsIn(record()), "u1 g1 u2 g2 v1 v2");
    EXPECT_EQ(json_lines({}), 4u);
    std::filesystem::remove(bundle.bookingLog());
    EXPECT_EQ(run({"--konto", "Girokonto", "--ohne-protokoll", first}).exit_status, 0);
    EXPECT_EQ(payeesSent(bundle), (std::vector<std::string>{"P1", "P2"}));
    EXPECT_EQ(eventsIn(record()), "u1 g1 u2 g2 v1 v2");
}

}  // namespace
}  // namespace velmora::testing
