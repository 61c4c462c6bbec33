// The demo bank's scripts, run through the bridge as the program runs them:
// accounts come from konten.txt, bookings land in journal.tsv recoverably, and
// without its folder Zandor counts as not running.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

using testing::Texts;

// The demo bank writes \\, \t, \n and \r for backslash, tab, line feed and carriage return.
Texts journalLine(std::string_view line)
{
    Texts texts{""};
    for (std::size_t i = 0; i < line.size(); ++i) {
        if (line[i] == '\t') {
            texts.emplace_back();
        } else if (line[i] == '\\' && i + 1 < line.size()) {
            const char code = line[++i];
            texts.back() += code == 't' ? '\t' : code == 'n' ? '\n' : code == 'r' ? '\r' : code;
        } else {
            texts.back() += line[i];
        }
    }
    return texts;
}

TEST(DemoBank, ListsAccountsAndKeepsEachBookingAsOneLineThatGivesBackItsTexts)
{
    const testing::TemporaryBundle bundle;
    const std::filesystem::path bank = bundle.folder / "Demo-Bank";
    for (std::string_view script : {kKontennamenScript, kBuchungScript})
        std::filesystem::copy_file(std::filesystem::path(VELMORA_DEMO_BANK_SCRIPTS) / script, bundle.resources / script);
    setenv("VELMORA_DEMO_BANK", bank.c_str(), 1);
    const Texts hostile = {"01.02.2024", "01.02.2024", "12345", "Giro\tkonto\\t", "Zeile\nzwei\r\nCR\r",
                           "$(rm -rf ~) `id` \"; echo x '", "Bäcker %s %d \\n \\\\", "\x01 Steuerzeichen \x7f", ""};

    EXPECT_EQ(Kontennamenermitteln({}), "");  // no folder: Zandor is not running
    EXPECT_THROW(buchungViaTessel(hostile), ScriptError);
    std::filesystem::create_directory(bank);
    testing::writeFile(bank / "konten.txt", "\nGirokonto\n\n Konto Müller \n\nSparbuch");
    EXPECT_EQ(Kontennamenermitteln({}), "Girokonto,  Konto Müller , Sparbuch");
    EXPECT_THROW(buchungViaTessel(Texts(8)), ScriptError);  // a booking is nine texts
    buchungViaTessel(hostile);
    buchungViaTessel(Texts(9, "x"));

    const Texts lines = testing::split(testing::readFile(bank / "journal.tsv"), '\n');
    ASSERT_EQ(lines.size(), 3u);
    EXPECT_EQ(journalLine(lines[0]), hostile);
    EXPECT_EQ(journalLine(lines[1]), Texts(9, "x"));
    unsetenv("VELMORA_DEMO_BANK");
}

}  // namespace
}  // namespace velmora
