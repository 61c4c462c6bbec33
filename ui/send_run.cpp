#include "ui/send_run.h"

#include "platform/event_loop.h"

namespace velmora::ui {

SendRun::SendRun(QWidget* main_window, std::size_t total, QList<QKeySequence> quit_keys)
    : main_window_(main_window), total_(total), gate_(std::move(quit_keys), [this] { stop(); }),
      while_script_runs_([this] { return keepAliveDuringScript(); })
{
}

SendRun::~SendRun()
{
    delete progress_.data();
}

void SendRun::bookingSent()
{
    ++sent_;
    keepAlive();
}

void SendRun::keepAlive()
{
    const Clock::time_point now = Clock::now();
    if (!progress_ && now - started_ >= progress_window_delay)
        showProgressWindow();
    if (progress_ && now - last_update_ >= progress_update_interval) {
        progress_->showCount(sent_, total_);
        last_update_ = now;
    }
    platform::RuntimeBackgroundTaskAfterSlowPass();
}

process::WhileWaiting SendRun::keepAliveDuringScript()
{
    keepAlive();
    if (stop_asked_ && !script_end_offered_ && Clock::now() - *stop_asked_ >= script_end_offered_after) {
        script_end_offered_ = true;
        showProgressWindow();
        progress_->offerEndingScript();
    }
    return script_end_asked_ ? process::WhileWaiting::end_program : process::WhileWaiting::keep_waiting;
}

void SendRun::showProgressWindow()
{
    if (progress_)
        return;
    progress_ = new wFortschritt(main_window_, [this] { stop(); }, [this] { endScript(); });
    progress_->showCount(sent_, total_);
    if (stop_asked_)
        progress_->showStopping();
    gate_.admit(progress_);
    progress_->show();
    progress_->raise();
    progress_->activateWindow();
}

void SendRun::stop()
{
    if (stop_asked_)
        return;
    stop_asked_ = Clock::now();
    if (progress_)
        progress_->showStopping();
}

void SendRun::endScript()
{
    script_end_asked_ = true;
}

}  // namespace velmora::ui
