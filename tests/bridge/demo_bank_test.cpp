// The demo bank's scripts, run through the bridge as the program runs them:
// accounts come from konten.txt, bookings land in journal.tsv recoverably.
#include <gtest/gtest.h>

#include <cstdlib>

#include "bridge/banking_scripts.h"
#include "platform/errors.h"
#include "tests/support/temporary_bundle.h"

namespace velmora {
namespace {

std::string unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        char c = field[i];
        if (c == '\\' && i + 1 < field.size()) {
            c = field[++i];
            c = c == 't' ? '\t' : c == 'n' ? '\n' : c == 'r' ? '\r' : c;
        }
        text += c;
    }
    return text;
}

class DemoBank : public ::testing::Test {
protected:
    void SetUp() override
    {
        for (std::string_view script : {kKontennamenScript, kBuchungScript})
            std::filesystem::copy_file(std::filesystem::path(VELMORA_DEMO_BANK_SCRIPTS) / script,
                                       bundle_.resources / script);
        setenv("VELMORA_DEMO_BANK", bank_.c_str(), 1);
    }
    void TearDown() override { unsetenv("VELMORA_DEMO_BANK"); }

    void openBank(std::string_view accounts) const
    {
        std::filesystem::create_directory(bank_);
        testing::writeFile(bank_ / "konten.txt", accounts);
    }

    // The journal's lines, each taken apart and unescaped.
    std::vector<ScriptArguments> journal() const
    {
        std::string content = testing::readFile(bank_ / "journal.tsv");
        EXPECT_EQ(content.back(), '\n');
        content.pop_back();
        std::vector<ScriptArguments> bookings;
        for (const std::string& line : testing::split(content, '\n')) {
            // A carriage return would end the line for many readers.
            EXPECT_EQ(line.find('\r'), std::string::npos) << line;
            ScriptArguments& texts = bookings.emplace_back();
            for (const std::string& field : testing::split(line, '\t'))
                texts.push_back(unescaped(field));
        }
        return bookings;
    }

    void expectBookingFails(const ScriptArguments& texts, std::string_view reason) const
    {
        try {
            buchungViaTessel(texts);
            ADD_FAILURE() << "booking succeeded";
        } catch (const ScriptError& error) {
            EXPECT_NE(std::string(error.what()).find(reason), std::string::npos) << error.what();
        }
        EXPECT_FALSE(std::filesystem::exists(bank_ / "journal.tsv"));
    }

    const testing::TemporaryBundle bundle_;
    const std::filesystem::path bank_ = bundle_.folder / "Demo-Bank";
};

struct AccountsRow {
    const char* name;
    const char* konten;
    const char* expected;
};

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
    expectBookingFails(ScriptArguments(9), "Status 3 beendet worden: Zandor läuft nicht");
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

TEST_F(DemoBank, BookingWithoutNineTextsFailsAndWritesNothing)
{
    openBank("Girokonto\n");
    expectBookingFails(ScriptArguments(8), "erwartet neun Texte für eine Buchung, erhalten: 8");
}

}  // namespace
}  // namespace velmora
