#pragma once
// What velmora-import was asked to do, read from its command line.
#include <array>
#include <filesystem>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "import/booking_run.h"

namespace velmora::cli {

enum class Action { import, list_accounts, help, version };
enum class PreviewFormat { text, csv, json };

// Each option of the window's check boxes, by the flag that ticks it.
struct OptionFlag {
    std::string_view flag;
    import::Option option;
    std::string_view caption;  // the check box's caption in the window
};

inline constexpr std::array<OptionFlag, 4> option_flags{{
    {"--kategorien", import::Option::mit_kat, "Kategorien berücksichtigen"},
    {"--monat-tag", import::Option::monat_tag, "Monat/Tag tauschen"},
    {"--gegenkonto", import::Option::kat_konto, "Kategorien als Gegenkonto behandeln"},
    {"--ohne-umbuchungen", import::Option::kat_gleich, "Nicht importieren, wenn Kategorie=Gegenkonto"},
}};

// What a call notes in the record of the files' bookings instead of sending.
enum class RecordNote {
    none,
    vergessen,         // --vergessen: what the record knows of them no longer counts
    angekommen,        // --angekommen: those in doubt reached Zandor
    nicht_angekommen,  // --nicht-angekommen: those in doubt did not
};

// "--vergessen" for RecordNote::vergessen, and so on; empty for none.
std::string_view FlagOf(RecordNote note);

// What velmora-import does with its record of what was sent.
struct RecordUse {
    bool used = true;              // false: --ohne-protokoll, neither read nor written
    std::filesystem::path file;    // --protokoll; empty: the default place
    bool send_all = false;         // --alle: send what the record calls sent or unclear, too
    RecordNote note = RecordNote::none;
};

struct Invocation {
    Action action = Action::import;
    std::string konto;
    std::array<bool, 4> ticked{};  // indexed by import::Option
    bool preview = false;
    bool send_unreadable = false;  // --trotzdem: also bookings without a readable date or amount
    bool readable_only = false;    // --nur-lesbare: the others, without those bookings
    PreviewFormat format = PreviewFormat::text;
    std::vector<std::filesystem::path> files;
    RecordUse record;

    bool is_ticked(import::Option option) const { return ticked[static_cast<std::size_t>(option)]; }
};

// Why a command line is no valid call, in German.
struct UsageError {
    std::string reason;
};

std::variant<Invocation, UsageError> ParseCommandLine(const std::vector<std::string_view>& arguments);

}  // namespace velmora::cli
