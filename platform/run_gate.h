#pragma once
// The rules of input while a run that the user may stop is going on (a send):
// the run's own window takes clicks and keys as usual; everything else the
// user does is dropped, so that nothing can change what the run works on or
// start a second run beneath it. Every way of asking the program to end is
// answered by the run, which stops first: the system's request to end (a
// termination signal, logging out) at once; the user's (Quit() from the quit
// item, the quit keys, the close box of any other window) as the run decides,
// which may ask first.
#include <QKeySequence>
#include <QList>
#include <QObject>
#include <QPointer>
#include <QWidget>
#include <functional>

namespace velmora::platform {

class RunGate : public QObject {
public:
    // `on_quit_request` is called at every request to end the program,
    // `on_user_quit_wish` whenever the user asks for it; without one, the
    // user's wish is a request.
    RunGate(QList<QKeySequence> quit_keys, std::function<void()> on_quit_request,
            std::function<void()> on_user_quit_wish = {});
    ~RunGate() override;
    RunGate(const RunGate&) = delete;
    RunGate& operator=(const RunGate&) = delete;

    // The gate of the run going on, or nullptr.
    static RunGate* current();

    // A window of the run's own (its progress, a question), which takes input
    // while the gate stands.
    void admit(QWidget* window) { admitted_ << window; }

    // The program is to end as soon as the run has stopped.
    void requestQuit();
    // The user asked to end the program.
    void userWantsToQuit();
    bool quitRequested() const { return quit_requested_; }

protected:
    bool eventFilter(QObject* receiver, QEvent* event) override;

private:
    bool isInAdmittedWindow(QObject* receiver) const;
    bool isQuitKey(const QEvent* event) const;

    const QList<QKeySequence> quit_keys_;
    const std::function<void()> on_quit_request_;
    const std::function<void()> on_user_quit_wish_;
    QList<QPointer<QWidget>> admitted_;
    bool quit_requested_ = false;
    RunGate* const outer_;
};

}  // namespace velmora::platform
