#pragma once
// Answers the modal dialogs a test provokes: while one of these lives, every
// modal dialog that opens is recorded (title and text) and closed with its
// default button, so a test can run handlers that show message boxes.
#include <QString>
#include <QStringList>
#include <QTimer>

namespace velmora::testing {

class ModalDialogs {
public:
    ModalDialogs();

    // The texts of the message boxes seen so far, in order.
    const QStringList& messages() const { return messages_; }
    // The window titles of all modal dialogs seen so far.
    const QStringList& titles() const { return titles_; }

private:
    void answerOpenDialog();

    QTimer poll_;
    QStringList messages_;
    QStringList titles_;
};

}  // namespace velmora::testing
