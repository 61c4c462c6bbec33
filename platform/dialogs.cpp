#include "platform/dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>

#include "platform/file_types.h"
#include "platform/qt_text.h"

namespace velmora::platform {

namespace {

QWidget* dialogParent()
{
    return QApplication::activeWindow();
}

// Message boxes carry the program's name as their title, so that a message is
// known to come from Velmora wherever the window system shows it.
constexpr auto message_box_title = "Velmora";

}  // namespace

void MsgBox(const QString& text)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(message_box_title), text, QMessageBox::Ok,
                    dialogParent());
    box.exec();
}

void MsgBox(std::string_view utf8_text)
{
    MsgBox(QText(utf8_text));
}

int Ask(const QString& text, const QStringList& answers, int default_answer, int escape_answer)
{
    QMessageBox box(QMessageBox::NoIcon, QString::fromLatin1(message_box_title), text, QMessageBox::NoButton,
                    dialogParent());
    QList<QAbstractButton*> buttons;
    for (const QString& answer : answers)
        buttons << box.addButton(answer, QMessageBox::AcceptRole);
    box.setDefaultButton(static_cast<QPushButton*>(buttons.value(default_answer)));
    box.setEscapeButton(buttons.value(escape_answer));
    box.exec();
    const qsizetype chosen = buttons.indexOf(box.clickedButton());
    return chosen < 0 ? escape_answer : static_cast<int>(chosen);
}

int Ask(const QString& text, std::initializer_list<std::string_view> utf8_answers, int default_answer,
        int escape_answer)
{
    QStringList answers;
    for (std::string_view answer : utf8_answers)
        answers << QText(answer);
    return Ask(text, answers, default_answer, escape_answer);
}

std::optional<std::filesystem::path> GetOpenFolderItem(std::string_view filter)
{
    const QString chosen = QFileDialog::getOpenFileName(dialogParent(), QString(), QString(),
                                                        ChooserNameFilter(filter));
    if (chosen.isEmpty())
        return std::nullopt;
    return PathFromQString(chosen);
}

QString DisplayPath(const std::filesystem::path& path)
{
    return QFile::decodeName(QByteArray::fromStdString(path.native()));
}

std::filesystem::path PathFromQString(const QString& path)
{
    return std::filesystem::path(QFile::encodeName(path).toStdString());
}

}  // namespace velmora::platform
