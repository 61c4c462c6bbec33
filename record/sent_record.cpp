#include "record/sent_record.h"

#include <algorithm>
#include <array>
#include <ctime>

namespace velmora::record {

namespace {

constexpr char separator = '\t';
constexpr std::size_t booking_texts = 9;
constexpr std::size_t fields_per_line = 4 + booking_texts;
// About what a line holds (time, state, account, key and nine texts); a
// guess too small only costs the tables a step of growth.
constexpr std::size_t typical_line_size = 200;

// By SentState. A state is one field, so a blank inside it is no separator.
constexpr std::array<std::string_view, 8> state_names{"unterwegs", "gesendet",   "fehlgeschlagen",   "vergessen",
                                                      "unklar",    "angekommen", "nicht angekommen", "nicht gestartet"};

std::optional<SentState> stateNamed(std::string_view name)
{
    for (std::size_t i = 0; i < state_names.size(); ++i)
        if (state_names[i] == name)
            return static_cast<SentState>(i);
    return std::nullopt;
}

void appendEscaped(std::string& out, std::string_view text)
{
    for (const char c : text) {
        switch (c) {
        case '\\': out += "\\\\"; break;
        case '\t': out += "\\t"; break;
        case '\n': out += "\\n"; break;
        case '\r': out += "\\r"; break;
        default: out += c;
        }
    }
}

std::optional<std::string> unescaped(std::string_view field)
{
    std::string text;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] != '\\') {
            text += field[i];
            continue;
        }
        if (++i == field.size())
            return std::nullopt;
        switch (field[i]) {
        case '\\': text += '\\'; break;
        case 't': text += '\t'; break;
        case 'n': text += '\n'; break;
        case 'r': text += '\r'; break;
        default: return std::nullopt;
        }
    }
    return text;
}

std::optional<std::vector<std::string>> fieldsOf(std::string_view line)
{
    std::vector<std::string> fields;
    for (std::size_t start = 0;;) {
        const std::size_t end = line.find(separator, start);
        auto field = unescaped(line.substr(start, end == std::string_view::npos ? end : end - start));
        if (!field)
            return std::nullopt;
        fields.push_back(std::move(*field));
        if (end == std::string_view::npos)
            return fields;
        start = end + 1;
    }
}

// "2026-12-06…": what GermanDay can read.
bool isTime(std::string_view time)
{
    return time.size() >= 10 && time[4] == '-' && time[7] == '-';
}

bool validEscapes(std::string_view field)
{
    for (std::size_t i = field.find('\\'); i != std::string_view::npos; i = field.find('\\', i + 2))
        if (i + 1 == field.size() || std::string_view("\\tnr").find(field[i + 1]) == std::string_view::npos)
            return false;
    return true;
}

}  // namespace

const std::string_view record_header = "Zeit\tZustand\tKonto\tSchlüssel\tDatum\tDatum (2)\tBetrag in Cent\tVon Konto\t"
                                       "An Konto\tKategorie\tEmpfänger\tMemo\tLeer\n";

std::string RecordLine(const RecordEvent& event)
{
    std::string line = event.time;
    line += separator;
    line += state_names[static_cast<std::size_t>(event.state)];
    for (std::string_view text : {std::string_view(event.account), std::string_view(event.key)}) {
        line += separator;
        appendEscaped(line, text);
    }
    for (const std::string& text : event.texts) {
        line += separator;
        appendEscaped(line, text);
    }
    return line + '\n';
}

std::optional<RecordEvent> ParseRecordLine(std::string_view line)
{
    auto fields = fieldsOf(line);
    if (!fields || fields->size() != fields_per_line)
        return std::nullopt;
    const auto state = stateNamed((*fields)[1]);
    if (!state || GermanDay((*fields)[0]).empty())
        return std::nullopt;
    RecordEvent event{std::move((*fields)[0]), *state, std::move((*fields)[2]), std::move((*fields)[3]), {}};
    event.texts.assign(std::make_move_iterator(fields->begin() + 4), std::make_move_iterator(fields->end()));
    return event;
}

// What reading the record needs of a line: its first four fields. The nine
// texts are only checked, never copied, so that a record of years reads fast.
struct SentRecord::LineHead {
    std::string_view time;
    SentState state;
    std::string_view account;
    std::string_view key;
};

// A backslash that ends a field is followed by a tab, which is no escape:
// the whole line is checked at once.
std::optional<SentRecord::LineHead> SentRecord::headOf(std::string_view line)
{
    if (static_cast<std::size_t>(std::count(line.begin(), line.end(), separator)) + 1 != fields_per_line)
        return std::nullopt;
    const bool escapes = line.find('\\') != std::string_view::npos;
    if (escapes && !validEscapes(line))
        return std::nullopt;
    std::array<std::string_view, 4> head;
    for (std::string_view& field : head) {
        const std::size_t end = line.find(separator);
        field = line.substr(0, end);
        line.remove_prefix(end + 1);
    }
    const auto state = stateNamed(head[1]);
    if (!state || !isTime(head[0]))
        return std::nullopt;
    for (std::string_view& field : head)
        if (escapes && field.find('\\') != std::string_view::npos)
            field = unescaped_.emplace_back(*unescaped(field));
    return LineHead{head[0], *state, head[2], head[3]};
}

SentKeys& SentRecord::keysFor(std::string_view account)
{
    // Lines of one account usually follow one another: the last one first.
    if (!accounts_.empty() && accounts_.back().first == account)
        return accounts_.back().second;
    for (auto& [name, keys] : accounts_)
        if (name == account)
            return keys;
    // Most records hold one account, and a booking two lines ("unterwegs",
    // "gesendet"): room for the record's keys at once, not grown step by step.
    return accounts_.emplace_back(account, SentKeys(expected_lines_)).second;
}

SentRecord SentRecord::Read(std::string_view content, DigestFunction digest_of)
{
    SentRecord record;
    record.digest_of_ = digest_of;
    record.expected_lines_ = content.size() / typical_line_size;
    std::size_t number = 0;
    for (std::size_t start = 0, end; (end = content.find('\n', start)) != std::string_view::npos; start = end + 1) {
        const std::string_view line = content.substr(start, end - start);
        ++number;
        if (line.empty() || (number == 1 && line == record_header.substr(0, record_header.size() - 1)))
            continue;
        if (const auto head = record.headOf(line))
            record.keysFor(head->account).note(head->key, {head->state, head->time}, digest_of);
        else
            record.foreign_lines_.push_back(number);
    }
    return record;
}

const SentRecord::Last* SentRecord::last(std::string_view account, std::string_view key) const
{
    const SentKeys* keys = keysOf(account);
    return keys != nullptr ? keys->last(key, digest_of_) : nullptr;
}

const SentKeys* SentRecord::keysOf(std::string_view account) const
{
    for (const auto& [name, keys] : accounts_)
        if (name == account)
            return &keys;
    return nullptr;
}

std::string GermanDay(std::string_view time)
{
    if (!isTime(time))
        return {};
    return std::string(time.substr(8, 2)) + "." + std::string(time.substr(5, 2)) + "." + std::string(time.substr(0, 4));
}

std::string TimeNow()
{
    const std::time_t now = std::time(nullptr);
    std::tm local{};
    localtime_r(&now, &local);
    std::array<char, 32> text{};
    return {text.data(), std::strftime(text.data(), text.size(), "%Y-%m-%dT%H:%M:%S%z", &local)};
}

}  // namespace velmora::record
