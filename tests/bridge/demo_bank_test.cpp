// The demo bank's scripts, run through the bridge as the program runs them:
// accounts come from konten.txt, bookings land in journal.tsv recoverably.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "temporary_bundle.h"

namespace velmora {
namespace {

using testing::TemporaryBundle;

const std::filesystem::path kDemoBankScripts = VELMORA_DEMO_BANK_SCRIPTS;

std::string unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\' || i + 1 == field.size()) {
            text += field[i];
            continue;
        }
        switch (field[++i]) {
        case 't': text += '\t'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        default: text += field[i]; break;
        }
    }
    return text;
}

class DemoBank : public ::testing::Test {
protected:
    void SetUp() override
    {
        bundle_.copyScript(kDemoBankScripts / kKontennamenScript);
        bundle_.copyScript(kDemoBankScripts / kBuchungScript);
        const char* previous = std::getenv("VELMORA_DEMO_BANK");
        previous_ = previous ? std::optional<std::string>(previous) : std::nullopt;
        setenv("VELMORA_DEMO_BANK", bank().c_str(), 1);
    }

    void TearDown() override
    {
        if (previous_)
            setenv("VELMORA_DEMO_BANK", previous_->c_str(), 1);
        else
            unsetenv("VELMORA_DEMO_BANK");
    }

    std::filesystem::path bank() const { return bundle_.folder() / "Demo-Bank"; }

    void openBank(std::string_view accounts) const
    {
        std::filesystem::create_directory(bank());
        testing::writeFile(bank() / "konten.txt", accounts);
    }

    std::vector<ScriptArguments> journal() const
    {
        std::string content = testing::readFile(bank() / "journal.tsv");
        EXPECT_EQ(content.back(), '\n');
        content.pop_back();
        std::vector<ScriptArguments> bookings;
        for (const std::string& line : testing::split(content, '\n')) {
            // A carriage return would end the line for many readers.
            EXPECT_EQ(line.find('\r'), std::string::npos) << line;
            ScriptArguments texts;
            for (const std::string& field : testing::split(line, '\t'))
                texts.push_back(unescaped(field));
            bookings.push_back(texts);
        }
        return bookings;
    }

private:
    TemporaryBundle bundle_;
    std::optional<std::string> previous_;
};

struct AccountsRow {
    const char* name;
    const char* konten;
    const char* expected;
};

// Failures name the row, not its bytes.
void PrintTo(const AccountsRow& row, std::ostream* out) { *out << row.name; }

class DemoBankAccounts : public DemoBank, public ::testing::WithParamInterface<AccountsRow> {};

TEST_P(DemoBankAccounts, AreJoinedByCommaAndBlank)
{
    openBank(GetParam().konten);
    EXPECT_EQ(Kontennamenermitteln({}), GetParam().expected);
}

const AccountsRow kAccountsRows[] = {
    {"FourAccounts", "Girokonto\nSparbuch\nKreditkarte\nHaushaltskasse\n",
     "Girokonto, Sparbuch, Kreditkarte, Haushaltskasse"},
    {"OneAccount", "Girokonto\n", "Girokonto"},
    {"NoFinalLineEnd", "Girokonto\nSparbuch", "Girokonto, Sparbuch"},
    {"EmptyLinesSkipped", "\nGirokonto\n\nSparbuch\n\n", "Girokonto, Sparbuch"},
    {"BlanksAndUmlautsKept", " Konto Müller \nSparbuch\n", " Konto Müller , Sparbuch"},
    {"NoAccounts", "", ""},
};

INSTANTIATE_TEST_SUITE_P(Bridge, DemoBankAccounts, ::testing::ValuesIn(kAccountsRows),
                         [](const auto& row) { return std::string(row.param.name); });

TEST_F(DemoBank, WithoutItsFolderZandorIsNotRunningAndNoAccountsAreListed)
{
    EXPECT_EQ(Kontennamenermitteln({}), "");
}

TEST_F(DemoBank, BookingsAreAppendedOneLineEachAndRecoverable)
{
    openBank("Girokonto\n");
    const ScriptArguments hostile = {
        "01.02.2024", "01.02.2024", "12345",
        "Giro\tkonto\\t", "Zeile\nzwei\r\nCR\r", "$(rm -rf ~) `id` \"; echo x '",
        "Bäcker %s %d \\n \\\\", "\x01 Steuerzeichen \x7f", "",
    };
    const ScriptArguments plain = {"02.02.2024", "02.02.2024", "500", "Unbekannt", "Girokonto",
                                   "Sonstiges", "", "", ""};

    buchungViaTessel(hostile);
    buchungViaTessel(plain);

    EXPECT_EQ(journal(), (std::vector<ScriptArguments>{hostile, plain}));
}

TEST_F(DemoBank, BookingWithoutItsFolderFails)
{
    try {
        buchungViaTessel(ScriptArguments(9));
        FAIL() << "booking without a demo bank succeeded";
    } catch (const ScriptError& error) {
        EXPECT_NE(std::string(error.what()).find("Status 3 beendet worden: Zandor läuft nicht"), std::string::npos)
            << error.what();
    }
}

TEST_F(DemoBank, BookingWithoutNineTextsFailsAndWritesNothing)
{
    openBank("Girokonto\n");
    try {
        buchungViaTessel(ScriptArguments(8));
        FAIL() << "booking with eight texts succeeded";
    } catch (const ScriptError& error) {
        EXPECT_NE(std::string(error.what()).find("erwartet neun Texte für eine Buchung, erhalten: 8"), std::string::npos)
            << error.what();
    }
    EXPECT_FALSE(std::filesystem::exists(bank() / "journal.tsv"));
}

}  // namespace
}  // namespace velmora
