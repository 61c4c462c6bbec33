#include "platform/dialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QMessageBox>

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
