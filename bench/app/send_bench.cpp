// Sending N bookings costs N script runs and nothing else of note: a press of
// "An Zandor senden" in the real main window for a 1,000-record file (the
// count before the send, the progress window, the confirmation closed at
// once), against the demo bank's booking script, next to 1,000 bare
// posix_spawn runs of that script with the same texts. Both are timed in
// turns within one run; the goal is a ratio of at most 1.1.
//
// Runs on the off-screen platform unless QT_QPA_PLATFORM says otherwise; on a
// real X server: QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/app/send_bench
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>

#include <QGuiApplication>
#include <QTest>

#include "app/app.h"
#include "app/file_types.h"
#include "bench/support/bare_spawn.h"
#include "bridge/banking_scripts.h"
#include "tests/support/modal_dialogs.h"
#include "ui/fenster1.h"

namespace {

namespace fs = std::filesystem;
constexpr int records = 1000;

const std::vector<std::string> typical_booking = {"31.12.2005", "31.12.2005", "123456",   "Girokonto", "Unbekannt",
                                                  "Strom",      "Stadtwerke", "Abschlag", ""};

fs::path makeFolder()
{
    std::string pattern = (fs::temp_directory_path() / "velmora-send-XXXXXX").string();
    if (!mkdtemp(pattern.data()))
        std::abort();
    return pattern;
}

// A bundle with the demo bank's booking script and a one-account list script.
fs::path makeBundle(const fs::path& folder)
{
    const fs::path resources = folder / "B.app" / "Contents" / "Resources";
    fs::create_directories(resources);
    fs::create_directories(folder / "B.app" / "Contents" / "MacOS");
    fs::copy_file(fs::path(VELMORA_DEMO_BANK_SCRIPTS) / velmora::kBuchungScript, resources / velmora::kBuchungScript);
    std::ofstream(resources / velmora::kKontennamenScript) << "#!/bin/sh\nprintf 'Girokonto\\n'\n";
    fs::permissions(resources / velmora::kKontennamenScript, fs::perms::owner_all);
    return folder / "B.app" / "Contents" / "MacOS" / "Velmora";
}

fs::path writeRecords(const fs::path& folder)
{
    const fs::path file = folder / "tausend.qif";
    std::ofstream out(file);
    out << "!Type:Bank\n";
    for (int i = 0; i < records; ++i)
        out << "D12/31'05\nT-1,234.56\nPStadtwerke\nMAbschlag\nLNebenkosten:Strom\n^\n";
    return file;
}

template <class Work>
double secondsOf(Work work)
{
    const auto start = std::chrono::steady_clock::now();
    work();
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}

void BM_SendThousandRecordsAgainstBareSpawns(benchmark::State& state)
{
    const fs::path folder = makeFolder();
    setenv("VELMORA_DEMO_BANK", (folder / "bank").c_str(), 1);
    fs::create_directories(folder / "bank");
    velmora::App()->setExecutableFile(makeBundle(folder));
    const fs::path script = folder / "B.app" / "Contents" / "Resources" / velmora::kBuchungScript;

    velmora::ui::Fenster1 window;
    window.Open();
    velmora::testing::ModalDialogs dialogs;  // chooses the file, closes the confirmation
    dialogs.chooseFile(writeRecords(folder));
    QTest::mouseClick(window.btn_datei(), Qt::LeftButton);

    double bare = 0, send = 0;
    for (auto _ : state) {
        bare += secondsOf([&] {
            for (int i = 0; i < records; ++i)
                velmora::bench::bareRun(script, typical_booking);
        });
        send += secondsOf([&] { QTest::mouseClick(window.btn_save(), Qt::LeftButton); });
    }
    state.SetLabel(QGuiApplication::platformName().toStdString());
    state.counters["bare_ms"] = 1000 * bare / static_cast<double>(state.iterations());
    state.counters["send_ms"] = 1000 * send / static_cast<double>(state.iterations());
    state.counters["ratio"] = send / bare;
    fs::remove_all(folder);
}

BENCHMARK(BM_SendThousandRecordsAgainstBareSpawns)->Iterations(3)->Unit(benchmark::kSecond);

}  // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    velmora::FileTypes::Initialize();
    velmora::app::App application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
