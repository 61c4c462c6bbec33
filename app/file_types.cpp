#include "app/file_types.h"

namespace velmora::FileTypes {

namespace {
const platform::FileType* pSpecialAny = nullptr;
}

void Initialize()
{
    platform::FileType special_any;
    special_any.Name = std::string(platform::special_any_name);
    special_any.Extensions = {};
    special_any.MacType = "????";
    special_any.MacCreator = "????";
    special_any.MimeType = "";
    special_any.Imported = true;
    special_any.ConformsTo = {};
    auto& all = platform::AllFileTypes();
    all.push_back(std::move(special_any));
    pSpecialAny = &all.back();
}

const platform::FileType* SpecialAny()
{
    return pSpecialAny;
}

}  // namespace velmora::FileTypes
