#pragma once
// Answers the modal dialogs a test provokes: while one of these lives, every
// modal dialog that opens is recorded (title, and text of a message box) and
// closed, a file chooser with the next answer queued (cancelled when none is).
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QTimer>
#include <deque>
#include <filesystem>
#include <optional>

namespace velmora::testing {

class ModalDialogs {
public:
    ModalDialogs()
    {
        QObject::connect(&poll_, &QTimer::timeout, [this] { answerOpenDialog(); });
        poll_.start(5);
    }
    const QStringList& messages() const { return messages_; }
    const QStringList& titles() const { return titles_; }
    void chooseFile(const std::filesystem::path& file) { file_answers_.emplace_back(file); }
    void cancelFileChooser() { file_answers_.emplace_back(std::nullopt); }

private:
    void answerOpenDialog()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        titles_ << modal->windowTitle();
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages_ << box->text();
            return box->accept();
        }
        auto* chooser = qobject_cast<QFileDialog*>(modal);
        if (!chooser)
            return static_cast<void>(modal->close());
        const auto answer = file_answers_.empty() ? std::nullopt : file_answers_.front();
        if (!file_answers_.empty())
            file_answers_.pop_front();
        if (!answer)
            return chooser->reject();
        chooser->selectFile(QFile::decodeName(QByteArray::fromStdString(answer->native())));
        static_cast<QDialog*>(chooser)->accept();  // QFileDialog hides the accept() that "Öffnen" calls
    }

    QTimer poll_;
    QStringList messages_;
    QStringList titles_;
    std::deque<std::optional<std::filesystem::path>> file_answers_;
};

}  // namespace velmora::testing
