// The preview's table for people: euros and the direction of the money, and
// texts cut by characters, never inside an umlaut, in aligned columns.
#include <gtest/gtest.h>

#include "bridge/zandor_messages.h"
#include "cli/text_table.h"
#include "platform/text.h"

namespace velmora::cli {
namespace {

TEST(TextTable, ShowsEurosAndWhichWayTheMoneyGoes)
{
    for (const auto& [betrag, euros] : {std::pair{"123456789", "1.234.567,89 €"}, {"5", "0,05 €"}, {"0000", "0,00 €"},
                                        {"+500", "5,00 €"}, {"Bank", "Bank"}, {"", ""}})
        EXPECT_EQ(EuroAmount(betrag), euros) << betrag;
    std::string table;
    AppendTableRow(table, {"31.12.2005", "", "123456", "Girokonto", "Unbekannt", "Strom", "Stadtwerke", "", ""}, "neu");
    EXPECT_NE(table.find("31.12.2005      1.234,56 €  von Girokonto an Unbekannt"), std::string::npos) << table;
}

TEST(TextTable, CutsLongTextsByCharactersAndKeepsColumnsAligned)
{
    EXPECT_EQ(Shortened("Müllerstraße", 8), "Müllers…");
    std::string first, second;
    AppendTableRow(first, {"", "", "1", "A", "B", "Süßes", "Bäckerei Müller & Söhne am Großen Markt", "Ölwechsel", ""}, "neu");
    AppendTableRow(second, {"", "", "1", "A", "B", "Suesses", "Baecker", "Oelwechsel", ""}, "neu");
    EXPECT_NE(first.find("Bäckerei Müller & Söhne a…"), std::string::npos) << first;
    EXPECT_EQ(text::Len(first.substr(0, first.find("Ölwechsel"))), text::Len(second.substr(0, second.find("Oelwechsel"))));
}

}  // namespace
}  // namespace velmora::cli
