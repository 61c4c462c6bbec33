#include "ui/send_run.h"

#include <QPushButton>
#include <functional>

#include "platform/qt_text.h"
#include "ui/messages.h"

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
      gate_(std::move(quit_keys), [this] { stop(); }, [this] { askWhetherToQuit(); })
{
    prepareOnce(progress_window_due_, progress_window_delay, [this] { showProgressWindow(); });
    prepareOnce(count_update_due_, progress_update_interval, [this] { showCount(); });
    prepareOnce(script_end_offer_due_, script_end_offered_after, [this] { offerEndingScript(); });
    progress_window_due_.start();
}

SendRun::~SendRun()
{
    delete quit_question_.data();
    delete progress_.data();
}

void SendRun::bookingSent()
{
    ++sent_;
    if (progress_ && !count_update_due_.isActive())
        count_update_due_.start();
    showQuitQuestion();
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

// Opened, not run: the send goes on while the question waits for its answer.
// Window-modal, so that it stays with the main window, over which it asks.
void SendRun::askWhetherToQuit()
{
    if (gate_.quitRequested())
        return;  // decided already
    if (quit_question_) {
        quit_question_->raise();
        return;
    }
    auto* question = new QMessageBox(QMessageBox::NoIcon, QStringLiteral("Velmora"), QString(), QMessageBox::NoButton,
                                     main_window_);
    question->setAttribute(Qt::WA_DeleteOnClose);
    question->setWindowModality(Qt::WindowModal);
    QPushButton* go_on = question->addButton(platform::QText(messages::send_the_rest), QMessageBox::RejectRole);
    QPushButton* quit = question->addButton(platform::QText(messages::stop_and_quit), QMessageBox::AcceptRole);
    question->setDefaultButton(go_on);
    question->setEscapeButton(go_on);
    QObject::connect(quit, &QPushButton::clicked, [this] { gate_.requestQuit(); });
    quit_question_ = question;
    showQuitQuestion();
    gate_.admit(question);
    question->open();
}

void SendRun::showQuitQuestion()
{
    if (quit_question_)
        quit_question_->setText(platform::QText(messages::QuitQuestion(sentOfFile(), total_)));
}

}  // namespace velmora::ui
