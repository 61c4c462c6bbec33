// Reading and walking a large file the way a user does it, against the import
// core alone and against Finance::QIF, in one run. The real main window on the
// off-screen platform: the file is chosen through the file chooser's stand-in,
// "Kategorien berücksichtigen", "Kategorien als Gegenkonto behandeln" and
// "Nicht importieren, wenn Kategorie=Gegenkonto" are ticked, and "An Zandor
// senden" is pressed. Every record of the file is an own transfer, so every
// record is walked and skipped and no script runs. Goals: the window within
// 1.15 times the core alone, at least 30 times as fast as Finance::QIF, and
// at most 1.5 times the file's size of added peak memory. Times are CPU
// times of the process doing the work, from clock_gettime and getrusage.
#include <benchmark/benchmark.h>
#include <spawn.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <time.h>

#include <QApplication>
#include <QTest>
#include <cstdio>
#include <functional>
#include <map>

#include "app/app.h"
#include "bench/support/fresh_process.h"
#include "app/file_types.h"
#include "app/menu_bar.h"
#include "bridge/banking_scripts.h"
#include "import/booking_run.h"
#include "import/file_reader.h"
#include "qif_generator.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/temporary_bundle.h"
#include "ui/fenster1.h"
#include "bridge/zandor_messages.h"
#include "ui/messages.h"

extern char** environ;

namespace {

namespace fs = std::filesystem;
using namespace velmora;

constexpr std::size_t records = 1'000'000;
constexpr std::string_view peak_flag = "--added-peak-of-the-window";

std::map<std::string, double> figures;

// The program's own CPU time, so that what else the machine does counts for
// neither side.
double cpuSeconds()
{
    timespec now{};
    clock_gettime(CLOCK_PROCESS_CPUTIME_ID, &now);
    return static_cast<double>(now.tv_sec) + static_cast<double>(now.tv_nsec) / 1e9;
}

template <class Work>
double secondsOf(Work work)
{
    const double start = cpuSeconds();
    work();
    return cpuSeconds() - start;
}

// The main window against a bundle whose account script names one account,
// with the file chooser and message boxes answered by the stand-in.
class WindowUnderTest {
public:
    WindowUnderTest()
    {
        bundle_.writePrintingScript(kKontennamenScript, "Girokonto");
        window_.Open();
        for (QCheckBox* box : {window_.mit_kat(), window_.kat_konto(), window_.kat_gleich()})
            box->setChecked(true);
    }

    void choose(const fs::path& file)
    {
        dialogs_.chooseFile(file);
        QTest::mouseClick(window_.btn_datei(), Qt::LeftButton);
        if (window_.anz_zeilen < static_cast<std::int64_t>(records))
            throw std::runtime_error("the file was not loaded");
    }

    void send()
    {
        QTest::mouseClick(window_.btn_save(), Qt::LeftButton);
        if (dialogs_.messages().size() != ++sends_ || dialogs_.messages().back().toStdString() != NothingToSend(1))
            throw std::runtime_error("a record was not skipped");
    }

private:
    testing::TemporaryBundle bundle_;
    testing::ModalDialogs dialogs_;
    ui::Fenster1 window_{Menue()};
    qsizetype sends_ = 0;
};

// The yardstick: the reader and the booking run with nothing around them.
void coreReadAndWalk(const fs::path& file)
{
    const auto result = import::read_lines(file);
    std::size_t sent = 0;
    const import::RunContext run{"Girokonto",
                                 [](import::Option o) { return o != import::Option::monat_tag; },
                                 [&sent](const import::BookingArguments&, const import::BookingPlace&) { ++sent; },
                                 {}};
    import::buchung_erzeugen(result.lines, result.lines.upper_bound(), run);
    if (result.status != import::ReadStatus::read || sent != 0)
        throw std::runtime_error("the core did not skip every record");
}

void BM_WindowAgainstCoreAlone(benchmark::State& state)
{
    const fs::path file = bench::benchmark_file(records, bench::RecordMix::own_transfers);
    WindowUnderTest window;
    double load = 0, walk = 0, core = 0;
    for (auto _ : state) {
        core += secondsOf([&] { coreReadAndWalk(file); });
        load += secondsOf([&] { window.choose(file); });
        walk += secondsOf([&] { window.send(); });
    }
    const auto runs = static_cast<double>(state.iterations());
    state.counters["window_load_s"] = load / runs;
    state.counters["window_walk_s"] = walk / runs;
    state.counters["core_s"] = core / runs;
    state.counters["ratio"] = (load + walk) / core;
    figures["load"] = load / runs;
    figures["walk"] = walk / runs;
    figures["core"] = core / runs;
    figures["file_MiB"] = static_cast<double>(fs::file_size(file)) / (1 << 20);
}

void BM_FinanceQif(benchmark::State& state)
{
    const fs::path file = bench::benchmark_file(records, bench::RecordMix::own_transfers);
    const std::string count_records =
        "use Finance::QIF; my $q = Finance::QIF->new(file => $ARGV[0]); my $n = 0; $n++ while $q->next; "
        "die qq(records lost\\n) unless $n == $ARGV[1];";
    std::vector<std::string> arguments{"perl", "-e", count_records, file.string(), std::to_string(records)};
    std::vector<char*> argv;
    for (auto& argument : arguments)
        argv.push_back(argument.data());
    argv.push_back(nullptr);
    double total = 0;
    for (auto _ : state) {
        pid_t child = 0;
        int status = 0;
        rusage usage{};
        if (posix_spawnp(&child, "perl", nullptr, nullptr, argv.data(), environ) != 0
            || wait4(child, &status, 0, &usage) != child || !WIFEXITED(status) || WEXITSTATUS(status) != 0)
            throw std::runtime_error("Finance::QIF failed");
        total += static_cast<double>(usage.ru_utime.tv_sec + usage.ru_stime.tv_sec)
                 + static_cast<double>(usage.ru_utime.tv_usec + usage.ru_stime.tv_usec) / 1e6;
    }
    figures["Finance::QIF"] = total / static_cast<double>(state.iterations());
}

// This benchmark program as it was started, to start it again.
std::string self_program;

// In a fresh process: the window open, then the file chosen and sent once.
// Prints how far the peak rose above the peak after opening, which stands in
// for the size then: opening the window frees little of what it takes.
int addedPeakOfTheWindow()
{
    const fs::path file = bench::benchmark_file(records, bench::RecordMix::own_transfers);
    WindowUnderTest window;
    const long before = bench::peakResidentKib();
    window.choose(file);
    window.send();
    std::printf("%ld\n", bench::peakResidentKib() - before);
    return 0;
}

void BM_AddedPeakMemory(benchmark::State& state)
{
    double added_mib = 0;
    for (auto _ : state)
        added_mib = static_cast<double>(bench::numberPrintedBy({self_program, std::string(peak_flag)})) / 1024;
    state.counters["added_peak_MiB"] = added_mib;
    figures["added_MiB"] = added_mib;
}

BENCHMARK(BM_WindowAgainstCoreAlone)->Iterations(10)->Unit(benchmark::kSecond);
BENCHMARK(BM_FinanceQif)->Iterations(1)->Unit(benchmark::kSecond);
BENCHMARK(BM_AddedPeakMemory)->Iterations(1)->Unit(benchmark::kSecond);

void printSummary()
{
    const double window = figures["load"] + figures["walk"];
    std::printf("%zu records (%.0f MiB), every one skipped:\n", records, figures["file_MiB"]);
    std::printf("  window      %.3f s (load %.3f s + walk %.3f s)\n", window, figures["load"], figures["walk"]);
    std::printf("  core alone  %.3f s: the window takes %.2f times as long (goal 1.15)\n", figures["core"],
                window / figures["core"]);
    std::printf("  Finance::QIF %.2f s: the window is %.1f times as fast (goal 30)\n", figures["Finance::QIF"],
                figures["Finance::QIF"] / window);
    std::printf("  added peak memory %.0f MiB: %.2f times the file (goal 1.5)\n", figures["added_MiB"],
                figures["added_MiB"] / figures["file_MiB"]);
}

// The application object that every run of the window needs, around the work.
int withWindowApplication(int argc, char** argv, const std::function<int()>& work)
{
    FileTypes::Initialize();
    app::App application(argc, argv);
    QApplication::setAttribute(Qt::AA_DontUseNativeDialogs);
    return work();
}

}  // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    // Forked before Qt starts anything, so that the child's peak is its own.
    if (argc == 2 && argv[1] == peak_flag)
        return bench::inForkedChild([&] { return withWindowApplication(argc, argv, addedPeakOfTheWindow); });
    self_program = argv[0];
    return withWindowApplication(argc, argv, [&] {
        benchmark::Initialize(&argc, argv);
        benchmark::RunSpecifiedBenchmarks();
        benchmark::Shutdown();
        printSummary();
        return 0;
    });
}
