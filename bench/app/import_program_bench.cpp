// velmora-import's JSON preview of the 1,000,000-record benchmark file, as a
// user runs it (the real program, output to /dev/null), against the import
// core reading and walking the same file with the same options in this
// process. The two are timed in turns, by CPU time; the goal is a ratio of at
// most 1.2 with a new record and 1.3 with one that knows the account.
//
// And a send as a user waits for it: a record of ten busy years (100,000
// lines for the account) and a file of 1,000 bookings, half of them known;
// the wall-clock time from the start until the first booking script runs.
// The goal is under 150 ms.
#include <benchmark/benchmark.h>
#include <fcntl.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>
#include <unistd.h>

#include <cstdio>
#include <fstream>
#include <cstdlib>
#include <signal.h>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "import/booking_run.h"
#include "import/file_reader.h"
#include "qif_generator.h"
#include "record/booking_key.h"
#include "record/sent_record.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace velmora;

constexpr std::size_t records = 1'000'000;

double seconds(const timeval& t) { return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_usec) / 1e6; }

double cpuSecondsOfThisProcess()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// A folder of the benchmark's own, gone when the benchmark ends.
class TemporaryFolder {
public:
    explicit TemporaryFolder(std::string_view prefix)
    {
        std::string pattern = (fs::temp_directory_path() / (std::string(prefix) + "-XXXXXX")).string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        path_ = pattern;
    }
    ~TemporaryFolder()
    {
        std::error_code ignored;
        fs::remove_all(path_, ignored);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const fs::path& path() const { return path_; }

private:
    fs::path path_;
};

// A record of its own, so that whatever the developer's own record holds
// never changes the figures: one that knows nothing yet (a new user's), or one
// that knows the account from an earlier send, so that every booking is judged.
fs::path record(bool knows_the_account)
{
    static const TemporaryFolder folder("velmora-bench");
    static const bool written = [] {
        const import::BookingArguments earlier{"06.12.2026", "06.12.2026", "1250",     "Girokonto", "Unbekannt",
                                               "Sonstiges",  "Bäckerei",   "Brötchen", ""};
        std::ofstream(folder.path() / "kennt-girokonto.tsv")
            << record::record_header
            << record::RecordLine({"2026-12-06T10:00:00+0100", record::SentState::gesendet, "Girokonto",
                                record::BookingKeys("Girokonto").next(earlier), earlier});
        return true;
    }();
    static_cast<void>(written);
    return folder.path() / (knows_the_account ? "kennt-girokonto.tsv" : "neu.tsv");
}

// Starts velmora-import with its output thrown away; its process id, or -1.
pid_t spawnQuietly(std::vector<std::string> arguments)
{
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_addopen(&actions, STDOUT_FILENO, "/dev/null", O_WRONLY, 0);
    posix_spawn_file_actions_addopen(&actions, STDERR_FILENO, "/dev/null", O_WRONLY, 0);
    pid_t child = 0;
    const int failed = posix_spawn(&child, argv[0], &actions, nullptr, argv.data(), environ);
    posix_spawn_file_actions_destroy(&actions);
    return failed ? -1 : child;
}

// The program's CPU time (user and system) for the preview.
double previewCpuSeconds(const fs::path& file, bool record_knows_the_account)
{
    std::vector<std::string> arguments{VELMORA_IMPORT_PROGRAM, "--konto", "Girokonto", "--kategorien", "--gegenkonto",
                                       "--protokoll", record(record_knows_the_account).string(), "--vorschau", "--format", "json",
                                       file.string()};
    const pid_t child = spawnQuietly(std::move(arguments));
    int status = 0;
    rusage usage{};
    if (child < 0 || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error("velmora-import failed");
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

double coreCpuSeconds(const fs::path& file)
{
    const double start = cpuSecondsOfThisProcess();
    {
        const auto result = import::read_lines(file);
        const import::RunContext run{"Girokonto",
                                     [](import::Option o) {
                                         return o == import::Option::mit_kat || o == import::Option::kat_konto;
                                     },
                                     [](const import::BookingArguments&, const import::BookingPlace&) {}, {}};
        if (import::buchung_erzeugen(result.lines, result.lines.upper_bound(), run).sent != records)
            throw std::runtime_error("bookings lost");
    }
    return cpuSecondsOfThisProcess() - start;
}

void BM_JsonPreviewAgainstCore(benchmark::State& state)
{
    const bool record_knows_the_account = state.range(0) != 0;
    const fs::path file = bench::benchmark_file(records);
    double preview = 0, core = 0;
    for (auto _ : state) {
        core += coreCpuSeconds(file);
        preview += previewCpuSeconds(file, record_knows_the_account);
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["preview_s"] = preview / runs;
    state.counters["core_s"] = core / runs;
    state.counters["ratio"] = preview / core;
    state.SetLabel(record_knows_the_account ? "Protokoll kennt das Konto" : "neues Protokoll");
    std::printf("%zu records, %s: velmora-import --vorschau --format json %.3f s, core read + walk %.3f s: %.2f times "
                "(goal %.1f)\n",
                records, record_knows_the_account ? "record knows the account" : "new record", preview / runs,
                core / runs, preview / core, record_knows_the_account ? 1.3 : 1.2);
}

BENCHMARK(BM_JsonPreviewAgainstCore)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kSecond);

constexpr std::size_t file_bookings = 1'000;
constexpr std::size_t record_lines = 100'000;
constexpr std::string_view sent_at = "2026-12-06T10:00:00+0100";

double wallSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_MONOTONIC, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

// The bookings the core makes of a file, with the options the benchmarks tick.
std::vector<import::BookingArguments> bookingsOf(const fs::path& file)
{
    std::vector<import::BookingArguments> bookings;
    const auto result = import::read_lines(file);
    const import::RunContext run{"Girokonto",
                                 [](import::Option o) {
                                     return o == import::Option::mit_kat || o == import::Option::kat_konto;
                                 },
                                 [&](const import::BookingArguments& booking, const import::BookingPlace&) {
                                     bookings.push_back(booking);
                                 },
                                 {}};
    import::buchung_erzeugen(result.lines, result.lines.upper_bound(), run);
    return bookings;
}

// The same booking in an earlier year ("03.11.2026" in 2021), and told
// apart by its memo within a year, so that it is none of the file's.
import::BookingArguments earlier(import::BookingArguments booking, std::size_t variant)
{
    const std::size_t years_back = 1 + variant % 10;
    for (std::string* date : {&booking[0], &booking[1]})
        if (date->size() == 10)
            date->replace(6, 4, std::to_string(std::stoi(date->substr(6)) - static_cast<int>(years_back)));
    booking[7] += " " + std::to_string(variant / 10);
    return booking;
}

void appendSent(std::string& record, record::BookingKeys& keys, const import::BookingArguments& booking)
{
    const std::string key = keys.next(booking);
    for (const record::SentState state : {record::SentState::unterwegs, record::SentState::gesendet})
        record += record::RecordLine({std::string(sent_at), state, "Girokonto", key, booking});
}

// Every other booking of the file sent, and ten years of others before.
std::string recordOfTenYears(const std::vector<import::BookingArguments>& bookings)
{
    std::string record(record::record_header);
    record::BookingKeys keys("Girokonto");
    for (std::size_t i = 0; i < bookings.size(); i += 2)
        appendSent(record, keys, bookings[i]);
    record::BookingKeys earlier_keys("Girokonto");
    for (std::size_t i = 0; i < record_lines / 2 - (bookings.size() + 1) / 2; ++i)
        appendSent(record, earlier_keys, earlier(bookings[i % bookings.size()], i / bookings.size()));
    return record;
}

// A bundle of its own: velmora-import, an account script that names
// Girokonto, and a booking script that ends velmora-import the moment the
// first booking goes out.
struct SendBundle {
    fs::path folder, program, file, record;
    std::string record_content;
};

const SendBundle& sendBundle()
{
    static const TemporaryFolder folder("velmora-bench-send");
    static const SendBundle bundle = [] {
        SendBundle made{folder.path(), {}, {}, {}, {}};
        const fs::path contents = made.folder / "Velmora.app/Contents";
        fs::create_directories(contents / "MacOS");
        fs::create_directories(contents / "Resources");
        made.program = contents / "MacOS/velmora-import";
        fs::copy_file(VELMORA_IMPORT_PROGRAM, made.program);
        const auto script = [&](const char* name, const char* body) {
            std::ofstream(contents / "Resources" / name) << "#!/bin/sh\n" << body << "\n";
            fs::permissions(contents / "Resources" / name, fs::perms::owner_all);
        };
        script("Kontennamen ermitteln.scpt", "echo Girokonto");
        script("buchungViaTessel.scpt", "kill -KILL $PPID");
        made.file = made.folder / "tausend.qif";
        bench::write_qif_file(made.file, file_bookings);
        made.record = made.folder / "gesendet.tsv";
        made.record_content = recordOfTenYears(bookingsOf(made.file));
        return made;
    }();
    return bundle;
}

// From the start of velmora-import until its first booking script runs.
double secondsUntilFirstBooking(const SendBundle& bundle)
{
    std::vector<std::string> arguments{bundle.program.string(), "--konto", "Girokonto", "--kategorien", "--gegenkonto",
                                       "--protokoll", bundle.record.string(), bundle.file.string()};
    const double start = wallSeconds();
    const pid_t child = spawnQuietly(std::move(arguments));
    int status = 0;
    if (child < 0 || waitpid(child, &status, 0) != child || !WIFSIGNALED(status) || WTERMSIG(status) != SIGKILL)
        throw std::runtime_error("velmora-import sent no booking");
    return wallSeconds() - start;
}

void BM_FirstBookingWithTenYearsRecord(benchmark::State& state)
{
    const SendBundle& bundle = sendBundle();
    double waited = 0;
    for (auto _ : state) {
        state.PauseTiming();
        std::ofstream(bundle.record, std::ios::binary | std::ios::trunc) << bundle.record_content;
        state.ResumeTiming();
        waited += secondsUntilFirstBooking(bundle);
    }
    const double seconds = waited / static_cast<double>(state.iterations());
    state.counters["first_booking_ms"] = seconds * 1e3;
    std::printf("record of %zu lines, file of %zu bookings, half known: first booking after %.1f ms (goal 150)\n",
                record_lines, file_bookings, seconds * 1e3);
}

BENCHMARK(BM_FirstBookingWithTenYearsRecord)->Iterations(10)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
