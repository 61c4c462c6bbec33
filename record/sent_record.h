#pragma once
// The record of what velmora-import sent, as text: a header line, then one
// line per event, fields separated by tabs: the time, the state, the Zandor
// account, the booking's key and its nine texts. A tab, a line end or a
// backslash inside a text is written as \t, \n, \r or \\, so that every event
// stays one line a person can read and grep. The file is only ever appended
// to; what a key stands for now is the state of its last line.
#include <cstddef>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <type_traits>
#include <utility>
#include <vector>

#include "import/booking_run.h"
#include "record/key_digest.h"
#include "record/sent_keys.h"
#include "record/sent_state.h"

namespace velmora::record {

struct RecordEvent {
    std::string time;  // ISO 8601, local time with its offset
    SentState state = SentState::unterwegs;
    std::string account;
    std::string key;
    import::BookingArguments texts;
};

extern const std::string_view record_header;  // ends with its line end

// One line, with its line end.
std::string RecordLine(const RecordEvent& event);
// nullopt for a line that is not one of ours.
std::optional<RecordEvent> ParseRecordLine(std::string_view line);

// The last event of each account's key.
class SentRecord {
public:
    using Last = LastEvent;

    // Reads the record's text and keeps views into it: the text must outlive
    // the record (a record of years is not copied). A last line without its
    // line end was cut by a crash while it was written, and is left out. The
    // keys are found by `digest_of`; tests give one whose digests collide.
    static SentRecord Read(std::string_view content, DigestFunction digest_of = KeyDigestOf);
    // A temporary string would leave the record's views dangling.
    template <class Text>
        requires std::is_same_v<Text, std::string>
    static SentRecord Read(Text&& content, DigestFunction digest_of = KeyDigestOf) = delete;

    const Last* last(std::string_view account, std::string_view key) const;
    // Whether any line names the account.
    bool knows(std::string_view account) const { return keysOf(account) != nullptr; }
    // The account's keys; nullptr when no line names it.
    const SentKeys* keysOf(std::string_view account) const;
    DigestFunction digestFunction() const { return digest_of_; }
    // The lines (1-based) that are not the record's own, each once.
    const std::vector<std::size_t>& foreignLines() const { return foreign_lines_; }

private:
    struct LineHead;
    std::optional<LineHead> headOf(std::string_view line);
    SentKeys& keysFor(std::string_view account);

    DigestFunction digest_of_ = KeyDigestOf;
    std::size_t expected_lines_ = 0;
    // By account: a record names a few, looked up one after the other.
    std::vector<std::pair<std::string_view, SentKeys>> accounts_;
    std::deque<std::string> unescaped_;  // the fields that held an escape, for their views
    std::vector<std::size_t> foreign_lines_;
};

// "2026-12-06T14:03:22+0100" as «06.12.2026».
std::string GermanDay(std::string_view time);
// The time now, as the record writes it.
std::string TimeNow();

}  // namespace velmora::record
