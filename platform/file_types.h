#pragma once
// The registry of file types the program knows; the file chooser is limited
// to one of them by name.
#include <QString>
#include <string>
#include <string_view>
#include <deque>
#include <vector>

namespace velmora::platform {

// The type whose name, given to the chooser, offers every file.
inline constexpr std::string_view special_any_name = "special/any";

struct FileType {
    std::string Name;
    std::vector<std::string> Extensions;  // empty: any file
    std::string MacType;
    std::string MacCreator;
    std::string MimeType;
    bool Imported = false;
    std::vector<std::string> ConformsTo;
};

// Every registered file type, in the order of registration.
std::deque<FileType>& AllFileTypes();  // a deque: references to entries stay valid

// The chooser's name filter for the registered type called `name`: its
// extensions, or every file when it has none or is not registered.
QString ChooserNameFilter(std::string_view name);

}  // namespace velmora::platform
