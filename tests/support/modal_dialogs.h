#pragma once
// Answers the modal dialogs a test provokes: while one of these lives, every
// modal dialog that opens is recorded (title and text) and closed with its
// default button, so a test can run handlers that show message boxes. A file
// chooser takes the next answer queued with chooseFile / cancelFileChooser
// (cancelled when none is queued).
#include <QString>
#include <QStringList>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <optional>

namespace velmora::testing {

class ModalDialogs {
public:
    ModalDialogs();

    // The texts of the message boxes seen so far, in order.
    const QStringList& messages() const { return messages_; }
    // The window titles of all modal dialogs seen so far.
    const QStringList& titles() const { return titles_; }

    void chooseFile(const std::filesystem::path& file) { file_answers_.emplace_back(file); }
    void cancelFileChooser() { file_answers_.emplace_back(std::nullopt); }

private:
    void answerOpenDialog();

    QTimer poll_;
    QStringList messages_;
    QStringList titles_;
    std::deque<std::optional<std::filesystem::path>> file_answers_;
};

}  // namespace velmora::testing
