#pragma once
// Modal dialogs of the runtime: the message box and the file chooser.
#include <QString>
#include <QStringList>
#include <filesystem>
#include <initializer_list>
#include <optional>
#include <string_view>

namespace velmora::platform {

// Shows `text` in a modal message box; returns when the user dismisses it.
void MsgBox(const QString& text);
void MsgBox(std::string_view utf8_text);

// Shows `text` with one button per answer, `default_answer` pressed by
// Return; returns the index of the answer chosen. Escape and the close box
// give `escape_answer`.
int Ask(const QString& text, const QStringList& answers, int default_answer, int escape_answer);
int Ask(const QString& text, std::initializer_list<std::string_view> utf8_answers, int default_answer,
        int escape_answer);

// Modal file chooser limited to the registered file type `filter`
// ("special/any" offers every file). Empty when the user cancels.
std::optional<std::filesystem::path> GetOpenFolderItem(std::string_view filter);

// Conversions between file paths and the program's UTF-8 / Qt text.
QString DisplayPath(const std::filesystem::path& path);
std::filesystem::path PathFromQString(const QString& path);

}  // namespace velmora::platform
