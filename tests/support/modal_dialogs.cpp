#include "tests/support/modal_dialogs.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

namespace velmora::testing {

ModalDialogs::ModalDialogs()
{
    poll_.setInterval(5);
    QObject::connect(&poll_, &QTimer::timeout, [this] { answerOpenDialog(); });
    poll_.start();
}

void ModalDialogs::answerOpenDialog()
{
    QWidget* modal = QApplication::activeModalWidget();
    if (!modal || !modal->isVisible())
        return;
    titles_ << modal->windowTitle();
    if (auto* chooser = qobject_cast<QFileDialog*>(modal)) {
        const auto answer = file_answers_.empty() ? std::nullopt : file_answers_.front();
        if (!file_answers_.empty())
            file_answers_.pop_front();
        if (answer) {
            chooser->selectFile(QFile::decodeName(QByteArray::fromStdString(answer->native())));
            static_cast<QDialog*>(chooser)->accept();  // QFileDialog hides accept(); QDialog does not
        } else {
            chooser->reject();
        }
    } else if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages_ << box->text();
        box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->close();
    }
}

}  // namespace velmora::testing
