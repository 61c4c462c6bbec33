// Start-up cost: Velmora up to its window shown (with a trivial account
// script) against a minimal Qt Widgets program plus one bare run of that
// script. The goal is at most 1.3 times the yardstick.
#include <benchmark/benchmark.h>

#include <filesystem>
#include <fstream>
#include <stdexcept>

#include "bench/support/bare_spawn.h"

namespace {

namespace fs = std::filesystem;

// The probes are built next to this benchmark, the start-up probe inside a
// bundle layout so that it finds its Resources folder as the program does.
fs::path startupProbe() { return fs::path(VELMORA_STARTUP_PROBE); }
fs::path minimalProbe() { return fs::path(VELMORA_MINIMAL_QT_PROBE); }

fs::path trivialAccountScript()
{
    const fs::path script = startupProbe().parent_path().parent_path() / "Resources" / "Kontennamen ermitteln.scpt";
    fs::create_directories(script.parent_path());
    std::ofstream(script) << "#!/bin/sh\nprintf 'Girokonto, Sparbuch\\n'\n";
    fs::permissions(script, fs::perms::owner_all);
    return script;
}

void runOrFail(benchmark::State& state, const fs::path& program)
{
    try {
        velmora::bench::bareRun(program, {});
    } catch (const std::runtime_error& error) {
        state.SkipWithError(error.what());
    }
}

void BM_VelmoraStartupToWindowShown(benchmark::State& state)
{
    trivialAccountScript();
    for (auto _ : state)
        runOrFail(state, startupProbe());
}

void BM_MinimalQtProgram(benchmark::State& state)
{
    for (auto _ : state)
        runOrFail(state, minimalProbe());
}

void BM_BareAccountScriptRun(benchmark::State& state)
{
    const fs::path script = trivialAccountScript();
    for (auto _ : state)
        runOrFail(state, script);
}

BENCHMARK(BM_VelmoraStartupToWindowShown)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_MinimalQtProgram)->Unit(benchmark::kMillisecond)->MinTime(2.0)->UseRealTime();
BENCHMARK(BM_BareAccountScriptRun)->Unit(benchmark::kMillisecond)->MinTime(1.0)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
