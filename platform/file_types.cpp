#include "platform/file_types.h"

#include <QStringList>
#include <algorithm>

namespace velmora::platform {

std::deque<FileType>& AllFileTypes()
{
    static std::deque<FileType> registry;
    return registry;
}

QString ChooserNameFilter(std::string_view name)
{
    const auto& types = AllFileTypes();
    const auto type = std::find_if(types.begin(), types.end(), [&](const FileType& t) { return t.Name == name; });
    if (type == types.end() || type->Extensions.empty())
        return QString();  // Qt's chooser shows every file without a filter
    QStringList patterns;
    for (const auto& extension : type->Extensions)
        patterns << QStringLiteral("*.%1").arg(QString::fromStdString(extension));
    return QStringLiteral("%1 (%2)").arg(QString::fromStdString(type->Name), patterns.join(' '));
}

}  // namespace velmora::platform
