#include "app/cli/import_command.h"

#include <algorithm>
#include <optional>
#include <variant>

#include "app/cli/file_summary.h"
#include "app/cli/preview_formats.h"
#include "app/cli/text_table.h"
#include "bridge/banking_scripts.h"
#include "bridge/zandor_messages.h"
#include "import/file_reader.h"
#include "platform/errors.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

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
import::RunReport runOver(const LoadedFile& file, const Invocation& invocation, import::SendBooking send)
{
    const import::RunContext run{invocation.konto, [&invocation](import::Option o) { return invocation.is_ticked(o); },
                                 std::move(send), {}};
    return import::buchung_erzeugen(file.lines, file.lines.upper_bound(), run);
}

void tellSummary(const LoadedFile& file, const import::RunReport& report, const Invocation& invocation,
                 const Streams& streams)
{
    streams.tell(FileSummary(file.path.string(), file.lines, report, invocation.is_ticked(import::Option::monat_tag)));
}

using AppendBooking = void (*)(std::string&, const import::BookingArguments&);

AppendBooking appenderFor(PreviewFormat format)
{
    switch (format) {
    case PreviewFormat::csv: return AppendCsvRecord;
    case PreviewFormat::json: return AppendJsonLine;
    case PreviewFormat::text: break;
    }
    return AppendTableRow;
}

int preview(const Invocation& invocation, const std::vector<LoadedFile>& files, const Streams& streams)
{
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
        const import::RunReport report = runOver(file, invocation, [&](const import::BookingArguments& booking) {
            append(out, booking);
            streams.out.written();
        });
        if (table)
            out += "\n";
        streams.out.flush();  // the file's bookings before its summary
        tellSummary(file, report, invocation, streams);
    }
    return exit_done;
}

// "312 von 1.000 Buchungen gesendet", rewritten in place on a terminal.
class Progress {
public:
    Progress(const Streams& streams, std::size_t total) : streams_(streams), total_(text::GermanCount(total)) {}
    ~Progress()
    {
        if (shown_)
            streams_.tell("\n");
    }
    void show(std::size_t sent)
    {
        if (!streams_.err_is_terminal)
            return;
        // Back to the line's start; built piece by piece, as "\r" + a temporary
        // makes GCC 12's optimiser warn of an overlap that cannot happen.
        std::string line = "\r";
        line.append(text::GermanCount(sent)).append(" von ").append(total_).append(" Buchungen gesendet");
        streams_.tell(line);
        shown_ = true;
    }

private:
    const Streams& streams_;
    const std::string total_;
    bool shown_ = false;
};

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

// Counts what each file gives and warns about it, before anything is sent.
std::size_t announce(const Invocation& invocation, const std::vector<LoadedFile>& files, const Streams& streams)
{
    std::size_t bookings = 0;
    for (const LoadedFile& file : files) {
        const import::RunReport report = runOver(file, invocation, [](const import::BookingArguments&) {});
        tellSummary(file, report, invocation, streams);
        bookings += report.sent;
    }
    return bookings;
}

int send(const Invocation& invocation, const std::vector<LoadedFile>& files, const Streams& streams)
{
    const auto accounts = zandorAccounts(streams);
    if (const int* status = std::get_if<int>(&accounts))
        return *status;
    const auto& names = std::get<std::vector<std::string>>(accounts);
    if (std::find(names.begin(), names.end(), invocation.konto) == names.end()) {
        streams.tell(unknownAccount(invocation.konto, names));
        return exit_refused;
    }
    const std::size_t bookings = announce(invocation, files, streams);
    if (bookings == 0) {
        streams.tell(NothingToSend(files.size()) + "\n");
        return exit_done;
    }
    std::size_t sent = 0;
    try {
        Progress progress(streams, bookings);
        for (const LoadedFile& file : files)
            runOver(file, invocation, [&](const import::BookingArguments& booking) {
                buchungViaTessel(booking);
                progress.show(++sent);
            });
    } catch (const RuntimeException& error) {
        streams.tell(SendingStopped(error.what(), sent) + "\n");
        return exit_script_failed;
    }
    streams.out.buffer() += BookingsSent(sent) + "\n";
    return exit_done;
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

}  // namespace

int RunImport(const Invocation& invocation, const Streams& streams)
{
    const auto files = readEveryFile(invocation.files, streams);
    if (!files)
        return exit_refused;
    if (invocation.preview)
        return preview(invocation, *files, streams);
    return reportingScriptFailures(streams, [&] { return send(invocation, *files, streams); });
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
