#pragma once
// The progress window of a send: "312 von 1.000 Buchungen gesendet", a bar,
// and "Anhalten". Its close box and Escape stop the send as "Anhalten" does.
// When a booking script does not end after a stop, it offers "Skript beenden".
#include <QDialog>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <functional>

namespace velmora::ui {

class wFortschritt : public QDialog {
    Q_OBJECT
public:
    // Shown over `main_window`; the two callbacks say what the buttons ask for.
    wFortschritt(QWidget* main_window, std::function<void()> on_stop, std::function<void()> on_end_script);

    void showCount(std::size_t sent, std::size_t total);
    // The send will stop after the booking that is running.
    void showStopping();
    // The running booking script has not ended since the stop: offer to end it.
    void offerEndingScript();

    QLabel* StaticText1() const;
    QProgressBar* pb_fortschritt() const;
    QPushButton* pb_anhalten() const;
    QPushButton* pb_skript_beenden() const;

    void pb_anhalten_Action();
    void pb_skript_beenden_Action();

protected:
    void closeEvent(QCloseEvent* event) override;
    void reject() override;  // Escape

private:
    void Layout();
    void CreateControls();
    void CreateControls0();  // the runtime's _CreateControls0

    const std::function<void()> on_stop_;
    const std::function<void()> on_end_script_;
};

}  // namespace velmora::ui
