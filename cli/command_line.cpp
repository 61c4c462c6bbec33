#include "cli/command_line.h"

#include <algorithm>
#include <optional>

namespace velmora::cli {

namespace {

constexpr std::string_view konto_flag = "--konto";
constexpr std::string_view format_flag = "--format";
constexpr std::string_view record_flag = "--protokoll";

std::optional<PreviewFormat> formatNamed(std::string_view name)
{
    if (name == "text")
        return PreviewFormat::text;
    if (name == "csv")
        return PreviewFormat::csv;
    if (name == "json")
        return PreviewFormat::json;
    return std::nullopt;
}

// The flags that take no value, each with what it sets. A new flag is a new row.
struct Parsed {
    Invocation invocation;
    bool help = false;
    bool version = false;
    bool accounts = false;
    bool notes_clash = false;  // two different notes asked for

    void note(RecordNote note)
    {
        RecordNote& noted = invocation.record.note;
        notes_clash |= noted != RecordNote::none && noted != note;
        noted = note;
    }
};

struct Switch {
    std::string_view flag;
    void (*set)(Parsed&);
};

constexpr Switch switches[] = {
    {"--help", [](Parsed& parsed) { parsed.help = true; }},
    {"--version", [](Parsed& parsed) { parsed.version = true; }},
    {"--konten", [](Parsed& parsed) { parsed.accounts = true; }},
    {"--vorschau", [](Parsed& parsed) { parsed.invocation.preview = true; }},
    {"--trotzdem", [](Parsed& parsed) { parsed.invocation.send_unreadable = true; }},
    {"--nur-lesbare", [](Parsed& parsed) { parsed.invocation.readable_only = true; }},
    {"--alle", [](Parsed& parsed) { parsed.invocation.record.send_all = true; }},
    {"--vergessen", [](Parsed& parsed) { parsed.note(RecordNote::vergessen); }},
    {"--angekommen", [](Parsed& parsed) { parsed.note(RecordNote::angekommen); }},
    {"--nicht-angekommen", [](Parsed& parsed) { parsed.note(RecordNote::nicht_angekommen); }},
    {"--ohne-protokoll", [](Parsed& parsed) { parsed.invocation.record.used = false; }},
};

// Walks the arguments once; "--konto NAME" and "--konto=NAME" are the same,
// and after "--" every argument is a file.
//
// Written by hand rather than with QCommandLineParser, whose parse() would
// change what a user sees. It turns every argument into a QString, and a
// file or account name in Latin-1 bytes (as old German exports are named)
// comes back with U+FFFD in place of "ä": the file is not found, the record
// names another account. It reports unknown options without their place, so
// the first wrong argument of a line can no longer be named; it splits
// "-xyz" into "x", "y", "z", where the message names »-xyz«; and it reports
// "--kategorien=ja" only in English ("Unexpected value after
// '--kategorien'."), without the value.
class Parser {
public:
    explicit Parser(const std::vector<std::string_view>& arguments) : arguments_(arguments) {}

    std::variant<Invocation, UsageError> parse()
    {
        for (next_ = 0; next_ < arguments_.size() && !error_;)
            take(arguments_[next_++]);
        if (error_)
            return *error_;
        return checked();
    }

private:
    void take(std::string_view argument)
    {
        if (files_only_ || !argument.starts_with("-") || argument == "-")
            invocation_.files.emplace_back(argument);
        else if (argument == "--")
            files_only_ = true;
        else if (!switchOn(argument) && !takeValued(argument) && !tick(argument))
            fail("unbekannte Option »" + std::string(argument) + "«");
    }

    bool takeValued(std::string_view argument)
    {
        if (const auto value = valueOf(argument, record_flag)) {
            invocation_.record.file = *value;
            record_given_ = true;
        } else if (const auto value = valueOf(argument, konto_flag)) {
            invocation_.konto = *value;
            konto_given_ = true;
        } else if (const auto value = valueOf(argument, format_flag)) {
            takeFormat(*value);
        } else {
            return false;
        }
        return true;
    }

    bool switchOn(std::string_view argument)
    {
        const auto found = std::find_if(std::begin(switches), std::end(switches),
                                        [&](const Switch& s) { return s.flag == argument; });
        if (found == std::end(switches))
            return false;
        found->set(parsed_);
        return true;
    }

    // The value of "--flag VALUE" or "--flag=VALUE"; nullopt for another flag.
    std::optional<std::string_view> valueOf(std::string_view argument, std::string_view flag)
    {
        if (argument.starts_with(flag) && argument.size() > flag.size() && argument[flag.size()] == '=')
            return argument.substr(flag.size() + 1);
        if (argument != flag)
            return std::nullopt;
        if (next_ == arguments_.size()) {
            fail(std::string(flag) + " braucht einen Wert");
            return std::string_view{};
        }
        return arguments_[next_++];
    }

    void takeFormat(std::string_view name)
    {
        format_given_ = true;
        if (const auto format = formatNamed(name))
            invocation_.format = *format;
        else if (!error_)
            fail("unbekannte Form »" + std::string(name) + "« für --format (text, csv oder json)");
    }

    bool tick(std::string_view argument)
    {
        const auto flag = std::find_if(option_flags.begin(), option_flags.end(),
                                       [&](const OptionFlag& f) { return f.flag == argument; });
        if (flag == option_flags.end())
            return false;
        invocation_.ticked[static_cast<std::size_t>(flag->option)] = true;
        return true;
    }

    std::variant<Invocation, UsageError> checked()
    {
        if (parsed_.help || parsed_.version) {
            invocation_.action = parsed_.help ? Action::help : Action::version;
            return invocation_;
        }
        if (parsed_.accounts) {
            if (arguments_.size() != 1)
                return UsageError{"--konten steht allein"};
            invocation_.action = Action::list_accounts;
            return invocation_;
        }
        if (!konto_given_)
            return UsageError{"--konto fehlt"};
        if (invocation_.files.empty())
            return UsageError{"keine DATEI angegeben"};
        if (format_given_ && !invocation_.preview)
            return UsageError{"--format gilt nur mit --vorschau"};
        if (invocation_.send_unreadable && invocation_.readable_only)
            return UsageError{"--trotzdem und --nur-lesbare schließen einander aus"};
        return checkedRecordUse();
    }

    std::variant<Invocation, UsageError> checkedRecordUse()
    {
        const RecordUse& record = invocation_.record;
        const std::string note(FlagOf(record.note));
        if (record_given_ && record.file.empty())
            return UsageError{"--protokoll braucht einen Dateinamen"};
        if (parsed_.notes_clash)
            return UsageError{"--vergessen, --angekommen und --nicht-angekommen schließen einander aus"};
        if (!record.used && record_given_)
            return UsageError{"--ohne-protokoll und --protokoll schließen einander aus"};
        if (!record.used && !note.empty())
            return UsageError{note + " braucht das Protokoll, nicht --ohne-protokoll"};
        if (!note.empty() && (invocation_.preview || record.send_all))
            return UsageError{note + " steht ohne --vorschau und ohne --alle"};
        return invocation_;
    }

    void fail(std::string reason) { error_ = UsageError{std::move(reason)}; }

    const std::vector<std::string_view>& arguments_;
    std::size_t next_ = 0;
    Parsed parsed_;
    Invocation& invocation_ = parsed_.invocation;
    std::optional<UsageError> error_;
    bool files_only_ = false;
    bool konto_given_ = false;
    bool format_given_ = false;
    bool record_given_ = false;
};

}  // namespace

std::string_view FlagOf(RecordNote note)
{
    switch (note) {
    case RecordNote::vergessen: return "--vergessen";
    case RecordNote::angekommen: return "--angekommen";
    case RecordNote::nicht_angekommen: return "--nicht-angekommen";
    case RecordNote::none: break;
    }
    return {};
}

std::variant<Invocation, UsageError> ParseCommandLine(const std::vector<std::string_view>& arguments)
{
    return Parser(arguments).parse();
}

}  // namespace velmora::cli
