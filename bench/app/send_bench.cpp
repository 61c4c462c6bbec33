// Sending N bookings costs N script runs and nothing else of note: a press of
// "An Zandor senden" in the real main window for a 1,000-record file (the
// count before the send, the progress window, the confirmation closed at
// once), against the demo bank's booking script, next to 1,000 bare
// posix_spawn runs of that script with the same texts. Both are timed in
// turns within one run; the goal is a ratio of at most 1.1.
//
// Beside it: how long a click on "Anhalten" waits until the program takes it
// while a booking script runs. The click comes from another thread, as one
// comes from the window system, at a moment the program does not choose; the
// goal is at most 10 ms.
//
// Runs on the off-screen platform unless QT_QPA_PLATFORM says otherwise; on a
// real X server: QT_QPA_PLATFORM=xcb xvfb-run -a build/bench/app/send_bench
#include <benchmark/benchmark.h>

#include <atomic>
#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <random>
#include <thread>

#include <QGuiApplication>
#include <QMouseEvent>
#include <QTest>
#include <QTimer>

#include "app/app.h"
#include "app/file_types.h"
#include "app/menu_bar.h"
#include "bench/support/bare_spawn.h"
#include "bridge/banking_scripts.h"
#include "tests/support/modal_dialogs.h"
#include "ui/fenster1.h"
#include "ui/send_run.h"
#include "ui/wfortschritt.h"

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

    velmora::ui::Fenster1 window(velmora::Menue());
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

using Clock = std::chrono::steady_clock;

// Presses and releases the button from another thread, after a pause.
std::thread clickLater(QPushButton* button, std::chrono::microseconds pause, std::atomic<Clock::time_point>& clicked_at)
{
    return std::thread([=, &clicked_at] {
        std::this_thread::sleep_for(pause);
        const QPointF centre(button->width() / 2.0, button->height() / 2.0);
        clicked_at = Clock::now();
        for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease})
            QCoreApplication::postEvent(button, new QMouseEvent(type, centre, button->mapToGlobal(centre), Qt::LeftButton,
                                                                Qt::LeftButton, Qt::NoModifier));
    });
}

void BM_AnhaltenTakenWhileAScriptRuns(benchmark::State& state)
{
    const fs::path folder = makeFolder();
    setenv("VELMORA_DEMO_BANK", (folder / "bank").c_str(), 1);
    fs::create_directories(folder / "bank");
    velmora::App()->setExecutableFile(makeBundle(folder));
    const fs::path script = folder / "B.app" / "Contents" / "Resources" / velmora::kBuchungScript;
    std::ofstream(script, std::ios::trunc) << "#!/bin/sh\nsleep 0.2\n";

    velmora::ui::Fenster1 window(velmora::Menue());
    window.Open();
    velmora::testing::ModalDialogs dialogs;
    dialogs.chooseFile(writeRecords(folder));
    QTest::mouseClick(window.btn_datei(), Qt::LeftButton);

    std::mt19937 random(1);
    std::uniform_int_distribution<int> pause_us(0, 150000);
    double worst_ms = 0;
    for (auto _ : state) {
        std::atomic<Clock::time_point> clicked_at{};
        Clock::time_point taken_at{};
        std::thread clicker;
        // Once the progress window shows, a booking script runs (0.2 s each).
        QTimer::singleShot(velmora::ui::progress_window_delay + std::chrono::milliseconds(50), [&] {
            QPushButton* anhalten = window.findChild<velmora::ui::wFortschritt*>()->pb_anhalten();
            QObject::connect(anhalten, &QPushButton::clicked, [&] { taken_at = Clock::now(); });
            clicker = clickLater(anhalten, std::chrono::microseconds(pause_us(random)), clicked_at);
        });
        dialogs.answerQuestion("Alle senden");
        QTest::mouseClick(window.btn_save(), Qt::LeftButton);
        clicker.join();
        const double waited = std::chrono::duration<double>(taken_at - clicked_at.load()).count();
        state.SetIterationTime(waited);
        worst_ms = std::max(worst_ms, 1000 * waited);
    }
    state.SetLabel(QGuiApplication::platformName().toStdString());
    state.counters["worst_ms"] = worst_ms;
    fs::remove_all(folder);
}

BENCHMARK(BM_AnhaltenTakenWhileAScriptRuns)->Iterations(20)->UseManualTime()->Unit(benchmark::kMillisecond);

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
