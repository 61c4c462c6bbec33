#pragma once
// The main window: the account pop-up, the file choice, the four options, the
// send and quit buttons, and the loaded lines of the chosen file.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QMenuBar>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "import/booking_run.h"
#include "import/line_list.h"
#include "import/send_concerns.h"
#include "ui/send_run.h"

namespace velmora {

namespace ui {

class Fenster1 : public QMainWindow {
    Q_OBJECT
public:
    // The window shows the program's shared menu bar, which start-up hands it.
    explicit Fenster1(QMenuBar* menu_bar);

    // Shows the window and runs its opening (the account list from the banking program).
    void Open();

    // The chosen file: set when the file chooser returns a file; a cancel keeps it.
    std::optional<std::filesystem::path> f;
    // The lines of the last completely read file, and their upper bound
    // (-1 before any load, so that nothing can be sent from an empty list).
    import::LineList zeilen;
    std::int64_t anz_zeilen = -1;

    // Controls, by name.
    QPushButton* btn_quit() const;
    QPushButton* btn_save() const;
    QPushButton* btn_datei() const;
    QLabel* StaticText1() const;
    QLabel* StaticText3() const;
    QCheckBox* mit_kat() const;
    QCheckBox* monat_tag() const;
    QCheckBox* kat_konto() const;
    QComboBox* pop_konten() const;
    QLabel* StaticText2() const;
    QCheckBox* kat_gleich() const;

    // Menu items, by name (the menu bar's own names).
    QAction* UntitledMenu4() const;
    QAction* UntitledMenu0() const;
    QAction* UntitledMenu5() const;
    QAction* UntitledMenu6() const;
    QAction* EditClear() const;
    QAction* EditPaste() const;
    QAction* EditCopy() const;
    QAction* EditCut() const;
    QAction* UntitledMenu1() const;
    QAction* EditUndo() const;
    QAction* UntitledMenu2() const;
    QAction* UntitledMenu7() const;
    QAction* FileQuit() const;
    QAction* UntitledMenu3() const;

    // Handlers.
    void Event_Open();
    void btn_quit_Action();
    void btn_save_Action();
    void btn_datei_Action();
    void pop_konten_Change();

    // Reads the chosen file into the line list.
    void Laden();
    void showFileName(const QString& name);

    // A booking whose script started and did not end with status 0: it may
    // stand in Zandor or not.
    struct BookingInDoubt {
        import::BookingArguments texts;
        std::int64_t line = -1;  // index of the line its record begins at
    };
    // How a send ended.
    struct SendResult {
        enum class End { completed, halted, failed, script_ended } end = End::completed;
        std::size_t sent = 0;  // the file's bookings whose script finished, in this send or the earlier ones
        std::string reason;    // failed: why
        std::optional<BookingInDoubt> in_doubt;  // failed or script_ended: the booking after the `sent`
    };
    // Sends one booking per transaction record of the loaded lines, leaving
    // out the first `already_sent` bookings, as long as `run` lets it go on.
    // With `readable_only`, bookings without a readable date or amount are
    // left out and not counted.
    SendResult buchung_erzeugen(std::size_t already_sent, SendRun& run, bool readable_only = false);

private:
    // Besides the lines, what decides which bookings a send gives: the
    // account and the boxes.
    struct SendSettings {
        std::string account;
        std::array<bool, 4> ticked{};  // by import::Option
        bool readable_only = false;    // answered "Nur lesbare senden"
        bool operator==(const SendSettings&) const = default;
    };
    // A send that did not complete, remembered by the content of its lines:
    // until lines of other content are loaded or a send completes.
    struct StoppedSend {
        QByteArray lines;  // their digest
        SendSettings settings;
        std::size_t sent = 0;
        std::size_t total = 0;
        std::optional<import::BookingArguments> in_doubt;  // booking sent + 1
    };

    SendSettings currentSettings() const;
    import::RunContext countingRun(const std::string& account) const;
    import::RunReport countBookings() const;
    // The answer to the question before a send.
    enum class SendChoice { everything, readable_only, nothing };
    SendChoice answerToConcerns(const import::Concerns& concerns, const import::RunReport& planned) const;
    std::optional<std::size_t> bookingsToLeaveOut(const SendSettings& settings, std::size_t total) const;
    std::string changesSince(const SendSettings& then, const SendSettings& now) const;
    std::vector<std::int64_t> bookingLines(const SendSettings& settings) const;
    void send(const SendSettings& settings, std::size_t already_sent, std::size_t total, const std::string& left_out);
    void tellHowTheSendEnded(const SendResult& result, std::size_t total, const std::string& left_out) const;
    std::string inDoubt(const SendResult& result, bool ended) const;
    QList<QKeySequence> quitKeys() const;
    // The digest of the loaded lines' content.
    QByteArray linesDigest() const;

    std::uint64_t lines_loaded_ = 0;
    std::optional<std::filesystem::path> loaded_file_;  // the file the lines came from
    std::optional<StoppedSend> stopped_send_;

    void Layout(QMenuBar* menu_bar);
    void CreateControls();
    void CreateControls0();  // the runtime's _CreateControls0
    QWidget* surface() const;
    QAction* menuItem(std::string_view name) const;
    // The four option boxes, by import::Option.
    std::array<QCheckBox*, 4> optionBoxes() const;
    // The four option boxes as the booking run asks them.
    import::OptionView liveOptions() const;
};

}  // namespace ui

}  // namespace velmora
