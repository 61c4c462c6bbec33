#pragma once
// One send as the user lives through it. While a booking script runs, the
// program sleeps in the event loop and answers every event at once; the
// progress window appears once the send takes longer than a moment, and the
// user's wishes are taken: stop after the running booking, end a booking
// script that does not finish, or end the program once the send has stopped.
// A user who asks to end the program is asked first, in the main window,
// while the send goes on; the system's request to end is taken at once.
#include <QKeySequence>
#include <QList>
#include <QMessageBox>
#include <QPointer>
#include <QTimer>
#include <chrono>
#include <cstddef>

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
    // The file holds `total` bookings, of which `already_sent` went out in an
    // earlier send and are left out now; the count goes on from there. The
    // progress window opens over `main_window`.
    SendRun(QWidget* main_window, std::size_t already_sent, std::size_t total, QList<QKeySequence> quit_keys);
    ~SendRun();
    SendRun(const SendRun&) = delete;
    SendRun& operator=(const SendRun&) = delete;

    // Asked before each booking: false once the user has asked to stop.
    bool goOn() const { return !stop_asked_; }
    // After each booking the script took.
    void bookingSent();
    // Waits for each booking script in the event loop.
    process::Waiter* scriptWaiter() { return &script_waiter_; }

    // The bookings of the file sent so far, this send's and the earlier ones.
    std::size_t sentOfFile() const { return already_sent_ + sent_; }
    bool quitRequested() const { return gate_.quitRequested(); }

private:
    void showProgressWindow();
    void showCount();
    void stop();
    void offerEndingScript();
    void askWhetherToQuit();
    void showQuitQuestion();

    QWidget* const main_window_;
    const std::size_t already_sent_;
    const std::size_t total_;
    std::size_t sent_ = 0;
    bool stop_asked_ = false;
    QPointer<wFortschritt> progress_;
    QPointer<QMessageBox> quit_question_;
    process::Waiter script_waiter_;
    QTimer progress_window_due_;
    QTimer count_update_due_;
    QTimer script_end_offer_due_;
    platform::RunGate gate_;
};

}  // namespace velmora::ui
