// What the bridge adds to a script run: compared with a bare posix_spawn and
// waitpid of the same script, with the same texts. A process holding a large
// address space must not pay for it: the yardstick copies no page tables, and
// QProcess, starting the child with vfork, copies none either.
// Given a compiled probe script (VELMORA_OSASCRIPT_PROBE, made by osacompile,
// so only on a Mac), also what one call through /usr/bin/osascript costs, the
// way the banking program's scripts run there.
#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <chrono>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>
#include <vector>

#include "bench/support/bare_spawn.h"
#include "bridge/banking_scripts.h"
#include "platform/running_program.h"
#include "platform/script_execution.h"

namespace {

using velmora::ScriptArguments;

constexpr std::string_view kAccountsScript = "#!/bin/sh\nprintf '%s\\n' 'Girokonto, Sparbuch, Kreditkarte'\n";
constexpr std::size_t kMebibyte = 1024 * 1024;

const ScriptArguments kBooking = {"01.02.2024", "01.02.2024", "12345", "Girokonto", "Unbekannt",
                                  "Sonstiges", "Bäckerei Müller", "Brötchen\tund Kaffee", ""};

struct Setup {
    std::filesystem::path folder;
    std::filesystem::path resources;
};

Setup& setup()
{
    static Setup instance;
    return instance;
}

std::filesystem::path accountsScript()
{
    return setup().resources / velmora::kKontennamenScript;
}

std::filesystem::path bookingScript()
{
    return setup().resources / velmora::kBuchungScript;
}

using velmora::bench::bareRun;

// The program's line list at its largest: memory that is really in use.
std::vector<char> heldMemory(const benchmark::State& state)
{
    std::vector<char> memory(static_cast<std::size_t>(state.range(0)) * kMebibyte);
    std::memset(memory.data(), 'x', memory.size());
    return memory;
}

void BM_BareSpawn(benchmark::State& state)
{
    const std::vector<char> held = heldMemory(state);
    for (auto _ : state)
        bareRun(accountsScript(), {});
    benchmark::DoNotOptimize(held.data());
}

void BM_BridgeCall(benchmark::State& state)
{
    const std::vector<char> held = heldMemory(state);
    for (auto _ : state)
        benchmark::DoNotOptimize(velmora::Kontennamenermitteln({}));
    benchmark::DoNotOptimize(held.data());
}

void BM_DemoBankBareSpawns(benchmark::State& state)
{
    for (auto _ : state) {
        for (int booking = 0; booking < state.range(0); ++booking)
            bareRun(bookingScript(), kBooking);
    }
}

void BM_DemoBankBridgeBookings(benchmark::State& state)
{
    for (auto _ : state) {
        for (int booking = 0; booking < state.range(0); ++booking)
            benchmark::DoNotOptimize(velmora::buchungViaTessel(kBooking));
    }
}

// Bare run and bridge call in turns, so that the load of other processes falls
// on both alike; the counters give the mean of each and their ratio.
template <typename BareRun, typename BridgeCall>
void measureInTurns(benchmark::State& state, BareRun bare_run, BridgeCall bridge_call)
{
    using Clock = std::chrono::steady_clock;
    Clock::duration bare{};
    Clock::duration bridge{};
    for (auto _ : state) {
        const Clock::time_point start = Clock::now();
        bare_run();
        const Clock::time_point middle = Clock::now();
        benchmark::DoNotOptimize(bridge_call());
        bare += middle - start;
        bridge += Clock::now() - middle;
    }
    const auto milliseconds = [&](Clock::duration total) {
        return std::chrono::duration<double, std::milli>(total).count() / static_cast<double>(state.iterations());
    };
    state.counters["bare_ms"] = milliseconds(bare);
    state.counters["bridge_ms"] = milliseconds(bridge);
    state.counters["ratio"] = milliseconds(bridge) / milliseconds(bare);
}

void BM_InTurnsAccounts(benchmark::State& state)
{
    const std::vector<char> held = heldMemory(state);
    measureInTurns(state, [] { bareRun(accountsScript(), {}); }, [] { return velmora::Kontennamenermitteln({}); });
    benchmark::DoNotOptimize(held.data());
}

void BM_InTurnsDemoBankBooking(benchmark::State& state)
{
    const std::vector<char> held = heldMemory(state);
    measureInTurns(state, [] { bareRun(bookingScript(), kBooking); }, [] { return velmora::buchungViaTessel(kBooking); });
    benchmark::DoNotOptimize(held.data());
}

// One booking handed to the compiled probe through osascript, in turns with one
// bare spawn of a shell script.
void BM_InTurnsOsascript(benchmark::State& state, const std::filesystem::path& probe)
{
    const velmora::ScriptRunner previous = velmora::UseScriptRunner({velmora::ScriptWay::osascript});
    measureInTurns(state, [] { bareRun(accountsScript(), {}); },
                   [&] { return velmora::ExecuteAppleScript(probe, kBooking); });
    velmora::UseScriptRunner(previous);
    state.counters["osascript_ms"] = state.counters["bridge_ms"];
    state.counters.erase("bridge_ms");
}

// The probe writes what it receives to the file VELMORA_PROBE_RECORD names.
void registerOsascriptCall()
{
    const char* probe = std::getenv("VELMORA_OSASCRIPT_PROBE");
    if (probe == nullptr)
        return;
    setenv("VELMORA_PROBE_RECORD", (setup().folder / "probe-record").c_str(), 1);
    benchmark::RegisterBenchmark("BM_InTurnsOsascript", BM_InTurnsOsascript, std::filesystem::path(probe))
        ->Iterations(100)
        ->Unit(benchmark::kMillisecond);
}

BENCHMARK(BM_BareSpawn)->Arg(0)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_BridgeCall)->Arg(0)->Arg(512)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InTurnsAccounts)->Arg(0)->Arg(512)->Iterations(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_InTurnsDemoBankBooking)->Arg(0)->Arg(512)->Iterations(1000)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemoBankBareSpawns)->Arg(1000)->Iterations(3)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_DemoBankBridgeBookings)->Arg(1000)->Iterations(3)->Unit(benchmark::kMillisecond);

// A bundle layout and a demo bank in a temporary folder, the real demo bank
// scripts in its Resources.
void prepare(velmora::platform::RunningProgram& program)
{
    std::string pattern = (std::filesystem::temp_directory_path() / "velmora-bench-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr)
        throw std::runtime_error("no temporary folder");
    Setup& s = setup();
    s.folder = pattern;
    s.resources = s.folder / "T.app" / "Contents" / "Resources";
    std::filesystem::create_directories(s.folder / "T.app" / "Contents" / "MacOS");
    std::filesystem::create_directories(s.resources);
    program.setExecutableFile(s.folder / "T.app" / "Contents" / "MacOS" / "Velmora");

    std::ofstream(accountsScript()) << kAccountsScript;
    std::filesystem::permissions(accountsScript(), std::filesystem::perms::owner_all);
    std::filesystem::copy_file(std::filesystem::path(VELMORA_DEMO_BANK_SCRIPTS) / velmora::kBuchungScript,
                               bookingScript());

    const std::filesystem::path bank = s.folder / "Demo-Bank";
    std::filesystem::create_directory(bank);
    std::ofstream(bank / "konten.txt") << "Girokonto\nSparbuch\n";
    setenv("VELMORA_DEMO_BANK", bank.c_str(), 1);
}

}  // namespace

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    const QCoreApplication application(argc, argv);  // its event loop waits for the scripts
    velmora::platform::RunningProgram program("");
    prepare(program);
    registerOsascriptCall();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    std::filesystem::remove_all(setup().folder);
    return 0;
}
