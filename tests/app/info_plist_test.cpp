// The bundle's Info.plist, as the build writes it on every platform: well
// formed, and with the keys macOS needs to start Velmora and to ask the user
// before it sends Apple events to the banking program.
#include <gtest/gtest.h>

#include <QFile>
#include <QMap>
#include <QXmlStreamReader>

namespace velmora {
namespace {

// The keys of the property list with the text of their values (<true/> reads
// as "true"); nullopt when the file cannot be read or is not well formed.
std::optional<QMap<QString, QString>> readPropertyList(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return std::nullopt;
    QXmlStreamReader xml(&file);
    QMap<QString, QString> entries;
    QString key;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement)
            continue;
        const QString element = xml.name().toString();
        if (element == "key")
            key = xml.readElementText();
        else if (element == "true" || element == "false")
            entries[key] = element;
        else if (element != "plist" && element != "dict")
            entries[key] = xml.readElementText();
    }
    if (xml.hasError())
        return std::nullopt;
    return entries;
}

TEST(InfoPlist, IsWellFormedAndNamesTheProgramItsVersionAndWhyItScriptsZandor)
{
    const auto entries = readPropertyList(VELMORA_INFO_PLIST);
    ASSERT_TRUE(entries) << VELMORA_INFO_PLIST;
    EXPECT_EQ(entries->value("CFBundleExecutable"), "Velmora");
    EXPECT_EQ(entries->value("CFBundleIdentifier"), "de.velmora.Velmora");
    EXPECT_EQ(entries->value("CFBundleShortVersionString"), "1.16");
    EXPECT_EQ(entries->value("CFBundleVersion"), "1.16");
    EXPECT_EQ(entries->value("CFBundlePackageType"), "APPL");
    EXPECT_TRUE(entries->value("NSAppleEventsUsageDescription").startsWith("Velmora fragt bei Zandor die Kontennamen ab"))
        << entries->value("NSAppleEventsUsageDescription").toStdString();
}

}  // namespace
}  // namespace velmora
