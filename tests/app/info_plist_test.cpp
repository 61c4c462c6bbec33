// The bundle's Info.plist, as the build writes it on every platform: well
// formed, and with the keys macOS needs to start Velmora and to ask the user
// before it sends Apple events to the banking program.
#include <gtest/gtest.h>

#include <QFile>
#include <map>
#include <optional>
#include <string>
#include <QXmlStreamReader>

namespace velmora {
namespace {

// The keys of the property list with the text of their values (<true/> reads
// as "true"); nullopt when the file cannot be read or is not well formed.
std::optional<std::map<std::string, std::string>> readPropertyList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QXmlStreamReader xml(&file);
    std::map<std::string, std::string> entries;
    std::string key;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString element = xml.name().toString();
        if (element == "key")
            key = xml.readElementText().toStdString();
        else if (element == "true" || element == "false")
            entries[key] = element.toStdString();
        else if (element != "plist" && element != "dict")
            entries[key] = xml.readElementText().toStdString();
    }
    if (xml.hasError())
        return std::nullopt;
    return entries;
}

TEST(InfoPlist, IsWellFormedAndNamesTheProgramItsVersionAndWhyItScriptsZandor)
{
    auto entries = readPropertyList(VELMORA_INFO_PLIST);
    ASSERT_TRUE(entries) << VELMORA_INFO_PLIST;
    auto& keys = *entries;
    EXPECT_EQ(keys["CFBundleExecutable"], "Velmora");
    EXPECT_EQ(keys["CFBundleIdentifier"], "de.velmora.Velmora");
    EXPECT_EQ(keys["CFBundleShortVersionString"], "1.16");
    EXPECT_EQ(keys["CFBundleVersion"], "1.16");
    EXPECT_EQ(keys["CFBundlePackageType"], "APPL");
    EXPECT_TRUE(keys["NSAppleEventsUsageDescription"].starts_with("Velmora fragt bei Zandor die Kontennamen ab"))
        << keys["NSAppleEventsUsageDescription"];
}

}  // namespace
}  // namespace velmora
