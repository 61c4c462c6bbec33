#pragma once
// The main window: the account pop-up, the file choice, the four options, the
// send and quit buttons, and the loaded lines of the chosen file.
#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QMainWindow>
#include <QPushButton>
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>

#include "import/booking_run.h"
#include "import/line_list.h"
#include "import/send_concerns.h"
#include "ui/send_run.h"

namespace velmora {

namespace ui {

class Fenster1 : public QMainWindow {
    Q_OBJECT
public:
    Fenster1();

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

    // How a send ended.
    struct SendResult {
        enum class End { completed, halted, failed, script_ended } end = End::completed;
        std::size_t sent = 0;  // the file's bookings whose script finished, in this send or the earlier ones
        std::string reason;                       // failed: why
        import::BookingArguments booking_in_doubt;  // script_ended: the booking whose script was ended
    };
    // Sends one booking per transaction record of the loaded lines, leaving
    // out the first `already_sent` bookings, as long as `run` lets it go on.
    // With `readable_only`, bookings without a readable date or amount are
    // left out and not counted.
    SendResult buchung_erzeugen(std::size_t already_sent, SendRun& run, bool readable_only = false);

private:
    // What decides which bookings a send gives: the lines, the account, the boxes.
    struct SendSettings {
        std::uint64_t lines_loaded = 0;  // which load of the line list
        std::string account;
        std::array<bool, 4> ticked{};
        bool readable_only = false;  // "Nur lesbare senden"
        bool operator==(const SendSettings&) const = default;
    };
    // A send that stopped part-way, until another file is chosen or a send completes.
    struct StoppedSend {
        SendSettings settings;
        std::size_t sent = 0;
        std::size_t total = 0;
    };

    SendSettings currentSettings() const;
    import::RunContext countingRun(const std::string& account) const;
    import::RunReport countBookings() const;
    // The answer to the question before a send.
    enum class SendChoice { everything, readable_only, nothing };
    SendChoice answerToConcerns(const import::Concerns& concerns, const import::RunReport& planned) const;
    std::optional<std::size_t> bookingsToLeaveOut(const SendSettings& settings, std::size_t total) const;
    void send(const SendSettings& settings, std::size_t already_sent, std::size_t total, const std::string& left_out);
    void tellHowTheSendEnded(const SendResult& result, std::size_t total, const std::string& left_out) const;
    QList<QKeySequence> quitKeys() const;

    std::uint64_t lines_loaded_ = 0;
    std::optional<std::filesystem::path> loaded_file_;  // the file the lines came from
    std::optional<StoppedSend> stopped_send_;

    void Layout();
    void CreateControls();
    void CreateControls0();  // the runtime's _CreateControls0
    QWidget* surface() const;
    QAction* menuItem(std::string_view name) const;
    // The four option boxes as the booking run asks them.
    import::OptionView liveOptions() const;
};

}  // namespace ui

// The open main window; built, shown and opened on first use.
ui::Fenster1* Fenster1();

}  // namespace velmora
