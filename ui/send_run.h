#pragma once
// One send as the user lives through it. It keeps the window alive while
// bookings go out and while a booking script runs, shows the progress window
// once the send takes longer than a moment, and takes the user's wishes: stop
// after the running booking, end a booking script that does not finish, or
// end the program once the send has stopped.
#include <QKeySequence>
#include <QList>
#include <QPointer>
#include <chrono>
#include <cstddef>
#include <optional>

#include "platform/process.h"
#include "platform/run_gate.h"
#include "ui/wfortschritt.h"

namespace velmora::ui {

// How long a send runs before its progress window appears.
inline constexpr std::chrono::milliseconds progress_window_delay{500};
// How often the bar and the count are brought up to date at most.
inline constexpr std::chrono::milliseconds progress_update_interval{50};
// How long after a stop a booking script may run before ending it is offered.
inline constexpr std::chrono::seconds script_end_offered_after{5};

class SendRun {
public:
    // `total`: the bookings this send is to send. The progress window opens over `main_window`.
    SendRun(QWidget* main_window, std::size_t total, QList<QKeySequence> quit_keys);
    ~SendRun();
    SendRun(const SendRun&) = delete;
    SendRun& operator=(const SendRun&) = delete;

    // Asked before each booking: false once the user has asked to stop.
    bool goOn() const { return !stop_asked_; }
    // After each booking the script took.
    void bookingSent();
    // What the booking script's wait asks while the script runs.
    const process::WaitingHook& whileScriptRuns() const { return while_script_runs_; }

    std::size_t sent() const { return sent_; }
    bool quitRequested() const { return gate_.quitRequested(); }

private:
    using Clock = std::chrono::steady_clock;

    void keepAlive();
    process::WhileWaiting keepAliveDuringScript();
    void showProgressWindow();
    void stop();
    void endScript();

    QWidget* const main_window_;
    const std::size_t total_;
    std::size_t sent_ = 0;
    const Clock::time_point started_ = Clock::now();
    Clock::time_point last_update_{};
    std::optional<Clock::time_point> stop_asked_;
    bool script_end_offered_ = false;
    bool script_end_asked_ = false;
    QPointer<wFortschritt> progress_;
    platform::RunGate gate_;
    const process::WaitingHook while_script_runs_;
};

}  // namespace velmora::ui
