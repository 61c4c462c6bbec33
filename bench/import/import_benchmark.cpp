// Reading and booking a large QIF file with a sink that only counts, next to
// the Perl module Finance::QIF reading the same file in the same run, and the
// peak resident size of a fresh process doing the read and booking.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/wait.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <map>
#include <stdexcept>
#include <string>
#include <vector>

#include "bench/support/fresh_process.h"
#include "import/booking_run.h"
#include "import/file_reader.h"
#include "qif_generator.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace velmora;

constexpr std::string_view child_flag = "--read-and-book";

// Seconds per run and peak sizes, by benchmark, for the closing summary.
std::map<std::string, double> figures;

fs::path qif_file(std::size_t transactions) { return bench::benchmark_file(transactions); }

std::size_t read_and_book(const fs::path& file) {
    const auto result = import::read_lines(file);
    if (result.status != import::ReadStatus::read) throw std::runtime_error("cannot read " + file.string());
    std::size_t bookings = 0;
    const import::RunContext run{
        "Giro", [](import::Option o) { return o == import::Option::mit_kat || o == import::Option::kat_konto; },
        [&](const import::BookingArguments&, const import::BookingPlace&) { ++bookings; }, {}};
    import::buchung_erzeugen(result.lines, result.lines.upper_bound(), run);
    return bookings;
}

// Runs a program to its end.
void run_program(std::vector<std::string> arguments) {
    std::vector<char*> argv;
    for (auto& a : arguments) argv.push_back(a.data());
    argv.push_back(nullptr);
    pid_t child = 0;
    if (posix_spawnp(&child, argv[0], nullptr, nullptr, argv.data(), environ) != 0)
        throw std::runtime_error("cannot start " + arguments[0]);
    int status = 0;
    if (waitpid(child, &status, 0) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
        throw std::runtime_error(arguments[0] + " failed");
}

template <class Work>
void timed(benchmark::State& state, const std::string& name, Work work) {
    double total = 0;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        work();
        const std::chrono::duration<double> took = std::chrono::steady_clock::now() - start;
        state.SetIterationTime(took.count());
        total += took.count();
    }
    figures[name] = total / static_cast<double>(state.iterations());
}

void ReadAndBook(benchmark::State& state) {
    const auto transactions = static_cast<std::size_t>(state.range(0));
    const fs::path file = qif_file(transactions);
    timed(state, "ours/" + std::to_string(transactions), [&] {
        if (read_and_book(file) != transactions) throw std::runtime_error("bookings lost");
    });
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * fs::file_size(file)));
}

void FinanceQif(benchmark::State& state) {
    const auto transactions = static_cast<std::size_t>(state.range(0));
    const fs::path file = qif_file(transactions);
    const std::string count_records =
        "use Finance::QIF; my $q = Finance::QIF->new(file => $ARGV[0]); my $n = 0; $n++ while $q->next; "
        "die qq(records lost\\n) unless $n == $ARGV[1];";
    timed(state, "Finance::QIF/" + std::to_string(transactions),
          [&] { run_program({"perl", "-e", count_records, file.string(), std::to_string(transactions)}); });
}

// This benchmark program as it was started, to start it again.
std::string self_program;

// Reads and books the file in a fresh process, so nothing of the benchmarks
// before counts, and returns that process's peak resident size in KiB.
long peak_of_fresh_process(const fs::path& file) {
    return bench::numberPrintedBy({self_program, std::string(child_flag), file.string()});
}

void PeakResidentSize(benchmark::State& state) {
    const auto transactions = static_cast<std::size_t>(state.range(0));
    const fs::path file = qif_file(transactions);
    const double file_mib = static_cast<double>(fs::file_size(file)) / (1 << 20);
    double peak_mib = 0;
    for (auto _ : state) peak_mib = static_cast<double>(peak_of_fresh_process(file)) / 1024;
    state.counters["file_MiB"] = file_mib;
    state.counters["peak_rss_MiB"] = peak_mib;
    state.counters["peak_per_file_size"] = peak_mib / file_mib;
    figures["file_MiB/" + std::to_string(transactions)] = file_mib;
    figures["peak_MiB/" + std::to_string(transactions)] = peak_mib;
}

BENCHMARK(ReadAndBook)->Arg(100'000)->Arg(1'000'000)->Iterations(5)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(FinanceQif)->Arg(100'000)->Arg(1'000'000)->Iterations(1)->UseManualTime()->Unit(benchmark::kMillisecond);
BENCHMARK(PeakResidentSize)->Arg(100'000)->Arg(1'000'000)->Iterations(1)->Unit(benchmark::kMillisecond);

void print_summary() {
    for (const std::string size : {"100000", "1000000"}) {
        if (!figures.count("ours/" + size) || !figures.count("Finance::QIF/" + size)) continue;
        const double ours = figures["ours/" + size];
        const double perl = figures["Finance::QIF/" + size];
        std::printf("%s transactions: %.3f s, Finance::QIF %.2f s, %.1f times as fast", size.c_str(), ours, perl,
                    perl / ours);
        if (figures.count("peak_MiB/" + size))
            std::printf("; peak RSS %.0f MiB for a %.0f MiB file (%.2f times)", figures["peak_MiB/" + size],
                        figures["file_MiB/" + size], figures["peak_MiB/" + size] / figures["file_MiB/" + size]);
        std::printf("\n");
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (argc == 3 && argv[1] == child_flag) {
        return bench::inForkedChild([&] {
            read_and_book(argv[2]);
            std::printf("%ld\n", bench::peakResidentKib());
            return 0;
        });
    }
    self_program = argv[0];
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    print_summary();
    return 0;
}
