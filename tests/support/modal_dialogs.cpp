#include "tests/support/modal_dialogs.h"

#include <QApplication>
#include <QDialog>
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
    if (auto* box = qobject_cast<QMessageBox*>(modal)) {
        messages_ << box->text();
        box->accept();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
        dialog->close();
    }
}

}  // namespace velmora::testing
