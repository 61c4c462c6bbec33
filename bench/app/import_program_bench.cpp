// velmora-import's JSON preview of the 1,000,000-record benchmark file, as a
// user runs it (the real program, output to /dev/null), against the import
// core reading and walking the same file with the same options in this
// process. The two are timed in turns, by CPU time; the goal is a ratio of at
// most 1.5.
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
#include <stdexcept>
#include <string>
#include <vector>

#include "app/cli/sent_record.h"
#include "import/booking_run.h"
#include "import/file_reader.h"
#include "qif_generator.h"

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

// A record of its own, so that whatever the developer's own record holds
// never changes the figures: one that knows nothing yet (a new user's), or one
// that knows the account from an earlier send, so that every booking is judged.
fs::path record(bool knows_the_account)
{
    static const fs::path folder = [] {
        std::string pattern = (fs::temp_directory_path() / "velmora-bench-XXXXXX").string();
        if (!mkdtemp(pattern.data()))
            throw std::runtime_error("no temporary folder");
        const fs::path made(pattern);
        std::ofstream(made / "kennt-girokonto.tsv")
            << cli::record_header
            << cli::RecordLine({"2026-12-06T10:00:00+0100", cli::SentState::gesendet, "Girokonto", "früher|1",
                                import::BookingArguments(9)});
        return made;
    }();
    return folder / (knows_the_account ? "kennt-girokonto.tsv" : "neu.tsv");
}

// The program's CPU time (user and system) for the preview.
double previewCpuSeconds(const fs::path& file, bool record_knows_the_account)
{
    std::vector<std::string> arguments{VELMORA_IMPORT_PROGRAM, "--konto", "Girokonto", "--kategorien", "--gegenkonto",
                                       "--protokoll", record(record_knows_the_account).string(), "--vorschau", "--format", "json",
                                       file.string()};
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
    int status = 0;
    rusage usage{};
    if (failed || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
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
                                     [](const import::BookingArguments&) {}, {}};
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
                "(goal 1.5)\n",
                records, record_knows_the_account ? "record knows the account" : "new record", preview / runs,
                core / runs, preview / core);
}

BENCHMARK(BM_JsonPreviewAgainstCore)->Arg(0)->Arg(1)->Iterations(5)->Unit(benchmark::kSecond);

}  // namespace

BENCHMARK_MAIN();
