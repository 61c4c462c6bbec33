#include "cli/import_command.h"

#include <algorithm>
#include <functional>
#include <optional>
#include <set>
#include <utility>
#include <variant>

#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "cli/file_summary.h"
#include "cli/preview_formats.h"
#include "cli/record_use.h"
#include "cli/sending.h"
#include "cli/settling_advice.h"
#include "cli/staying_home_summary.h"
#include "cli/text_table.h"
#include "import/file_reader.h"
#include "import/send_concerns.h"
#include "platform/errors.h"
#include "platform/text.h"
#include "record/booking_key.h"
#include "record/send_plan.h"

namespace velmora::cli {

namespace {

constexpr std::string_view unreadable_refused
    = "Keine Buchung gesendet: Buchungen ohne lesbares Datum oder ohne lesbaren Betrag und Daten, bei denen Tag und "
      "Monat vertauscht sein können, gehen nur mit --trotzdem an Zandor, dann so, wie die Vorschau sie zeigt; mit "
      "--nur-lesbare gehen alle Buchungen außer denen ohne lesbares Datum oder ohne lesbaren Betrag. Eine Buchung "
      "mit zu langem Text geht nie.";

// The preview's mark for a booking --nur-lesbare leaves out.
constexpr std::string_view left_out_mark = "ausgelassen";

std::string nothingNew(std::size_t files, bool readable_only)
{
    return std::string("Keine Buchung gesendet: Jede Buchung ") + (files == 1 ? "der Datei" : "der Dateien")
           + (readable_only ? " ist schon gesendet, unklar oder ohne lesbares Datum oder ohne lesbaren Betrag "
                              "(--nur-lesbare)."
                            : " ist schon gesendet oder unklar.");
}

struct LoadedFile {
    std::filesystem::path path;
    import::LineList lines;
};

// Every file, or none: a file that cannot be read ends the program before
// anything of another file is printed or sent.
std::optional<std::vector<LoadedFile>> readEveryFile(const std::vector<std::filesystem::path>& files,
                                                     const Streams& streams)
{
    std::vector<LoadedFile> loaded;
    for (const std::filesystem::path& file : files) {
        import::ReadResult result = import::read_lines(file);
        if (result.status != import::ReadStatus::read) {
            streams.tell(import::read_failure_message(result.status, std::filesystem::absolute(file).string()) + "\n");
            return std::nullopt;
        }
        loaded.push_back({file, std::move(result.lines)});
    }
    return loaded;
}

// The run the window makes, with the options of the command line for its boxes.
// The run the window makes over the file, with the options of the command
// line for its boxes.
import::RunReport runOver(const LoadedFile& file, const Invocation& invocation, import::SendBooking send)
{
    const import::RunContext run{invocation.konto, [&invocation](import::Option o) { return invocation.is_ticked(o); },
                                 std::move(send), {}};
    return import::buchung_erzeugen(file.lines, file.lines.upper_bound(), run);
}

// Tells what the file gives, and what --nur-lesbare leaves out of it; the
// concerns decide whether a send may go out without --trotzdem or
// --nur-lesbare.
import::Concerns tellSummary(const LoadedFile& file, const import::RunReport& report, const Invocation& invocation,
                             const Streams& streams)
{
    import::Concerns concerns = import::concerns_before_sending(
        report, invocation.is_ticked(import::Option::monat_tag), box_words, invocation.readable_only);
    std::string summary = FileSummary(file.path.string(), report, concerns);
    if (invocation.readable_only && report.sent_unreadable > 0)
        summary += file.path.string() + ": " + import::bookings_left_out(report, true) + " (--nur-lesbare)\n";
    streams.tell(summary);
    return concerns;
}

using AppendBooking = void (*)(std::string&, const import::BookingArguments&);

// The machine form's appender; the table has one of its own.
AppendBooking appenderFor(PreviewFormat format)
{
    return format == PreviewFormat::csv ? AppendCsvRecord : AppendJsonLine;
}

// The booking another velmora-import is sending right now is not unclear.
std::string_view markShown(record::Mark mark, const import::BookingArguments& booking,
                           const import::BookingArguments* being_sent)
{
    if (mark == record::Mark::unklar && being_sent != nullptr && booking == *being_sent)
        return "wird gesendet";
    return record::MarkName(mark);
}

// The preview's table shows every booking with its mark; the machine forms
// only what would go out, exactly as the booking script would receive it.
int preview(const Invocation& invocation, const std::vector<LoadedFile>& files, const Streams& streams)
{
    const OpenedRecord record = LookAtRecord(invocation.record, streams);
    const import::BookingArguments* being_sent
        = record.being_sent && record.being_sent->account == invocation.konto ? &record.being_sent->texts : nullptr;
    record::SendPlanner planner(invocation.konto, record.sent, invocation.record.send_all, record::KeyUse::judging);
    std::string& out = streams.out.buffer();
    const AppendBooking append = appenderFor(invocation.format);
    const bool table = invocation.format == PreviewFormat::text;
    if (invocation.format == PreviewFormat::csv)
        AppendCsvHeader(out);
    for (const LoadedFile& file : files) {
        if (table) {
            out += file.path.string() + "\n";
            AppendTableHeader(out);
        }
        planner.startFile(&file != &files.back());
        const std::string name = file.path.string();
        const auto show = [&](const import::BookingArguments& booking, const import::BookingPlace& place) {
            const record::Judgement judgement = planner.judge(booking, {name, place.line});
            const bool left_out = invocation.readable_only && place.unreadable.any();
            if (table)
                AppendTableRow(out, booking, left_out ? left_out_mark : markShown(judgement.mark, booking, being_sent),
                               place.unreadable);
            else if (judgement.goes_out && !left_out)
                append(out, booking);
            streams.out.written();
        };
        const import::RunReport report = runOver(file, invocation, show);
        if (table)
            out += "\n";
        streams.out.flush();  // the file's bookings before its summary
        tellSummary(file, report, invocation, streams);
    }
    streams.tell(StayingHomeSummary(planner.stayingHome(), invocation, being_sent));
    return exit_done;
}

std::string unknownAccount(std::string_view konto, const std::vector<std::string>& accounts)
{
    std::string known;
    for (const std::string& account : accounts)
        known += (known.empty() ? "»" : ", »") + account + "«";
    return "Das Konto »" + std::string(konto) + "« gibt es in der geöffneten Kontenmappe von Zandor nicht. Dort gibt es: "
           + known + ".\n";
}

// The account script's names, or the exit status that ends the program.
std::variant<std::vector<std::string>, int> zandorAccounts(const Streams& streams)
{
    const std::string names = Kontennamenermitteln({});
    if (names.empty()) {
        streams.tell(std::string(zandor_not_ready) + "\n");
        return exit_zandor_not_ready;
    }
    return AccountNames(names);
}

// The exit status that ends the program when Zandor lacks the account.
std::optional<int> refusedByZandor(std::string_view konto, const Streams& streams)
{
    const auto accounts = zandorAccounts(streams);
    if (const int* status = std::get_if<int>(&accounts))
        return *status;
    const auto& names = std::get<std::vector<std::string>>(accounts);
    if (std::find(names.begin(), names.end(), konto) != names.end())
        return std::nullopt;
    streams.tell(unknownAccount(konto, names));
    return exit_refused;
}

struct Plan {
    std::vector<OutgoingBooking> outgoing;
    std::size_t bookings = 0;  // those that stay home included
    bool asks = false;          // an unreadable date or amount, a text too long, a date order in doubt
    bool unclear_left = false;  // a booking stays home because the record has it "unterwegs"
    std::vector<std::string> never_sent;  // why, when the files give no booking at all
};

// Judges every booking against the record and tells what each file gives and
// what stays home, before anything is sent.
Plan plan(const Invocation& invocation, const std::vector<LoadedFile>& files, const record::SentRecord& sent,
          const Streams& streams)
{
    record::SendPlanner planner(invocation.konto, sent, invocation.record.send_all, record::KeyUse::recording);
    Plan plan;
    for (std::size_t index = 0; index < files.size(); ++index) {
        const LoadedFile& file = files[index];
        const std::string name = file.path.string();
        planner.startFile();
        // Every booking is judged, so that equal bookings count alike whichever way the file is sent.
        const auto take = [&](const import::BookingArguments& booking, const import::BookingPlace& place) {
            record::Judgement judgement = planner.judge(booking, {name, place.line});
            const bool left_out = invocation.readable_only && place.unreadable.any();
            if (judgement.goes_out && !left_out)
                plan.outgoing.push_back({booking, std::move(judgement.key), index, place.line});
        };
        const import::RunReport report = runOver(file, invocation, take);
        const import::Concerns concerns = tellSummary(file, report, invocation, streams);
        plan.asks |= concerns.asks;
        plan.never_sent.insert(plan.never_sent.end(), concerns.never_sent.begin(), concerns.never_sent.end());
        plan.bookings += report.sent;
    }
    streams.tell(StayingHomeSummary(planner.stayingHome(), invocation));
    plan.unclear_left = !planner.stayingHome().unclear.empty();
    return plan;
}

// A script that cannot be found or fails ends the program with its reason.
template <class Work>
int reportingScriptFailures(const Streams& streams, Work work)
{
    try {
        return work();
    } catch (const RuntimeException& error) {
        streams.tell(std::string(error.what()) + "\n");
        return exit_script_failed;
    }
}

int send(const Invocation& invocation, const std::vector<LoadedFile>& files, const Streams& streams)
{
    const OpenedRecord record = HoldRecord(invocation.record, streams);
    return reportingScriptFailures(streams, [&] {
        if (const auto status = refusedByZandor(invocation.konto, streams))
            return *status;
        const Plan planned = plan(invocation, files, record.sent, streams);
        if (planned.bookings == 0) {
            streams.tell(NothingToSend(files.size(), planned.never_sent) + "\n");
            return static_cast<int>(exit_done);
        }
        const int done = planned.unclear_left ? exit_unclear_left : exit_done;
        if (planned.outgoing.empty()) {
            streams.tell(nothingNew(files.size(), invocation.readable_only) + "\n");
            return done;
        }
        // A batch never books a wrong date or amount unasked; the window asks.
        if (planned.asks && !invocation.send_unreadable && !invocation.readable_only) {
            streams.tell(std::string(unreadable_refused) + "\n");
            return static_cast<int>(exit_refused);
        }
        const int status = SendBookings(planned.outgoing, record.file ? &*record.file : nullptr, invocation, streams);
        return status == exit_done ? done : status;
    });
}

// What each note does: which bookings it takes, the state it appends, and
// what the user is told: the count, then the words for one or for more,
// the account and the end of the sentence.
struct NoteRule {
    RecordNote note;
    bool takes_sent;  // besides the bookings in doubt, those the record knows as sent
    record::SentState state;
    std::string_view said_of_one, said_of_more, end;
};

constexpr NoteRule note_rules[] = {
    {RecordNote::vergessen, true, record::SentState::vergessen, " freigegeben: sie gilt nicht mehr als an »",
     " freigegeben: sie gelten nicht mehr als an »", "« gesendet.\n"},
    {RecordNote::angekommen, false, record::SentState::angekommen, " als angekommen vermerkt: sie gilt als an »",
     " als angekommen vermerkt: sie gelten als an »", "« gesendet.\n"},
    {RecordNote::nicht_angekommen, false, record::SentState::nicht_angekommen,
     " als nicht angekommen vermerkt: der nächste Aufruf sendet sie an »",
     " als nicht angekommen vermerkt: der nächste Aufruf sendet sie an »", "«.\n"},
};

const NoteRule& ruleOf(RecordNote note)
{
    return *std::find_if(std::begin(note_rules), std::end(note_rules),
                         [note](const NoteRule& rule) { return rule.note == note; });
}

// Appends the note's state for every booking of the files it takes (every
// one the record knows for --vergessen, those in doubt for the other two),
// all in one write: the record is never rewritten, and nothing else changes.
int note(const Invocation& invocation, const std::vector<LoadedFile>& files, const Streams& streams)
{
    const NoteRule& rule = ruleOf(invocation.record.note);
    const OpenedRecord record = HoldRecord(invocation.record, streams);
    record::BookingKeys keys(invocation.konto);
    std::string lines, named;
    std::set<std::string> noted;  // a booking in two files is noted once
    const std::string now = record::TimeNow();
    for (const LoadedFile& file : files) {
        keys.startFile();
        runOver(file, invocation, [&](const import::BookingArguments& booking, const import::BookingPlace& place) {
            std::string key = keys.next(booking);
            const record::Mark mark = record::MarkOf(record.sent.last(invocation.konto, key));
            const bool taken = mark == record::Mark::unklar || (rule.takes_sent && mark == record::Mark::schon_gesendet);
            if (!taken || noted.count(key) > 0)
                return;
            if (rule.note != RecordNote::vergessen)
                named += BookingInDoubtLine(booking, file.path.string(), place.line) + "\n";
            lines += record::RecordLine({now, rule.state, invocation.konto, key, booking});
            noted.insert(std::move(key));
        });
    }
    if (!lines.empty())
        record.file->append(lines);
    if (noted.empty() && rule.note != RecordNote::vergessen) {
        streams.out.buffer() += std::string("Keine Buchung ") + (files.size() == 1 ? "der Datei" : "der Dateien")
                                + " ist unklar: nichts vermerkt.\n";
        return exit_done;
    }
    streams.out.buffer() += text::CountOf(noted.size(), "Buchung", "Buchungen")
                            + std::string(noted.size() == 1 ? rule.said_of_one : rule.said_of_more) + invocation.konto
                            + std::string(rule.end) + named;
    return exit_done;
}

// A record that cannot be used refuses the call before anything is sent.
template <class Work>
int refusingUnusableRecords(const Streams& streams, Work work)
{
    try {
        return work();
    } catch (const record::RecordFileError& error) {
        streams.tell(std::string(error.what()) + "\n");
        return exit_refused;
    }
}

}  // namespace

int RunImport(const Invocation& invocation, const Streams& streams)
{
    const auto files = readEveryFile(invocation.files, streams);
    if (!files)
        return exit_refused;
    return refusingUnusableRecords(streams, [&] {
        if (invocation.preview)
            return preview(invocation, *files, streams);
        if (invocation.record.note != RecordNote::none)
            return note(invocation, *files, streams);
        return send(invocation, *files, streams);
    });
}

int ListAccounts(const Streams& streams)
{
    return reportingScriptFailures(streams, [&] {
        const auto accounts = zandorAccounts(streams);
        if (const int* status = std::get_if<int>(&accounts))
            return *status;
        for (const std::string& name : std::get<std::vector<std::string>>(accounts))
            streams.out.buffer() += name + "\n";
        return static_cast<int>(exit_done);
    });
}

}  // namespace velmora::cli
