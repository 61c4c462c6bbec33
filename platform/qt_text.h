#pragma once
// The program holds its texts as UTF-8; Qt holds them as QString. This is the
// one crossing between the two.
#include <QString>
#include <string_view>

namespace velmora::platform {

inline QString QText(std::string_view utf8)
{
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

}  // namespace velmora::platform
