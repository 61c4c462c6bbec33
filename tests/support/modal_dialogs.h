#pragma once
// Answers the modal dialogs a test provokes: while one of these lives, every
// modal dialog that opens is recorded (title, and text of a message box) and
// closed, a file chooser with the next answer queued (cancelled when none is),
// a question by the button of the next answer queued that it offers.
#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
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
    QStringList messages() const { return messages_; }
    // The button Return presses in each message box, in order.
    QStringList defaultAnswers() const { return defaults_; }
    QStringList titles() const { return titles_; }
    void chooseFile(const std::filesystem::path& file) { answers_.emplace_back(file); }
    void cancelFileChooser() { answers_.emplace_back(std::nullopt); }
    void answerQuestion(std::string_view button) { buttons_.push_back(QString::fromUtf8(button.data(), button.size())); }

private:
    void answerOpenDialog()
    {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal || !modal->isVisible())
            return;
        titles_ << modal->windowTitle();
        auto* chooser = qobject_cast<QFileDialog*>(modal);
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            messages_ << box->text();
            defaults_ << (box->defaultButton() ? box->defaultButton()->text() : QString());
            return answer(box);
        }
        if (!chooser)
            return static_cast<void>(modal->close());
        const auto answer = answers_.empty() ? std::nullopt : answers_.front();
        if (!answers_.empty())
            answers_.pop_front();
        if (answer)
            chooser->selectFile(QFile::decodeName(QByteArray::fromStdString(answer->native())));
        answer ? static_cast<QDialog*>(chooser)->accept() : chooser->reject();  // QFileDialog hides the accept() of "Öffnen"
    }

    void answer(QMessageBox* box)
    {
        for (QAbstractButton* button : box->buttons()) {
            if (!buttons_.empty() && button->text() == buttons_.front()) {
                buttons_.pop_front();
                return button->click();
            }
        }
        box->close();
    }

    QTimer poll_;
    QStringList messages_, titles_, defaults_;
    std::deque<QString> buttons_;
    std::deque<std::optional<std::filesystem::path>> answers_;
};

}  // namespace velmora::testing
