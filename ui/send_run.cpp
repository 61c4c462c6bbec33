#include "ui/send_run.h"

#include <functional>

namespace velmora::ui {

namespace {

void prepareOnce(QTimer& timer, std::chrono::milliseconds delay, std::function<void()> on_time)
{
    timer.setSingleShot(true);
    timer.setInterval(delay);
    QObject::connect(&timer, &QTimer::timeout, std::move(on_time));
}

}  // namespace

SendRun::SendRun(QWidget* main_window, std::size_t already_sent, std::size_t total, QList<QKeySequence> quit_keys)
    : main_window_(main_window), already_sent_(already_sent), total_(total),
      gate_(std::move(quit_keys), [this] { stop(); })
{
    prepareOnce(progress_window_due_, progress_window_delay, [this] { showProgressWindow(); });
    prepareOnce(count_update_due_, progress_update_interval, [this] { showCount(); });
    prepareOnce(script_end_offer_due_, script_end_offered_after, [this] { offerEndingScript(); });
    progress_window_due_.start();
}

SendRun::~SendRun()
{
    delete progress_.data();
}

void SendRun::bookingSent()
{
    ++sent_;
    if (progress_ && !count_update_due_.isActive())
        count_update_due_.start();
}

void SendRun::showCount()
{
    if (progress_)
        progress_->showCount(sentOfFile(), total_);
}

void SendRun::showProgressWindow()
{
    if (progress_)
        return;
    progress_ = new wFortschritt(main_window_, [this] { stop(); }, [this] { script_waiter_.endProgram(); });
    showCount();
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
    stop_asked_ = true;
    script_end_offer_due_.start();
    if (progress_)
        progress_->showStopping();
}

void SendRun::offerEndingScript()
{
    if (!script_waiter_.waiting())
        return;
    showProgressWindow();
    progress_->offerEndingScript();
}

}  // namespace velmora::ui
