// The bundle's Info.plist, as the build writes it on every platform: well
// formed, and with the keys macOS needs to start Velmora and to ask the user
// before it sends Apple events to the banking program.
#include <gtest/gtest.h>

#include <QFile>
#include <QXmlStreamReader>
#include <map>

TEST(InfoPlist, IsWellFormedAndNamesTheProgramItsVersionAndWhyItScriptsZandor)
{
    QFile file(VELMORA_INFO_PLIST);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QXmlStreamReader xml(&file);
    std::map<std::string, std::string> values;  // each key with the text of the element after it
    std::string key;
    while (!xml.atEnd()) {
        if (xml.readNext() != QXmlStreamReader::StartElement || xml.name() == u"plist" || xml.name() == u"dict")
            continue;
        const bool is_key = xml.name() == u"key";
        const std::string text = xml.name() == u"true" ? "true" : xml.readElementText().toStdString();
        (is_key ? key : values[key]) = text;
    }
    EXPECT_FALSE(xml.hasError()) << xml.errorString().toStdString();
    EXPECT_EQ(values["CFBundleExecutable"], "Velmora");
    EXPECT_EQ(values["CFBundleIdentifier"], "de.velmora.Velmora");
    EXPECT_EQ(values["CFBundleShortVersionString"], "1.16");
    EXPECT_TRUE(values["NSAppleEventsUsageDescription"].starts_with("Velmora fragt bei Zandor die Kontennamen ab"));
}
