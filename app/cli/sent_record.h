#pragma once
// The record of what velmora-import sent, as text: a header line, then one
// line per event, fields separated by tabs: the time, the state, the Zandor
// account, the booking's key and its nine texts. A tab, a line end or a
// backslash inside a text is written as \t, \n, \r or \\, so that every event
// stays one line a person can read and grep. The file is only ever appended
// to; what a key stands for now is the state of its last line.
#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "import/booking_run.h"

namespace velmora::cli {

enum class SentState {
    unterwegs,       // written before the booking script starts
    gesendet,        // the script succeeded
    fehlgeschlagen,  // the script failed: nothing arrived
    vergessen,       // the user released the booking (--vergessen)
};

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
    struct Last {
        SentState state;
        std::string time;
    };

    // Reads the record's text. A last line without its line end was cut by a
    // crash while it was written, and is left out.
    static SentRecord Read(std::string_view content);

    using Keys = std::unordered_map<std::string, Last>;

    const Last* last(std::string_view account, const std::string& key) const;
    // Whether any line names the account.
    bool knows(std::string_view account) const;
    // The account's keys with their last events; nullptr when it has none.
    const Keys* keysOf(std::string_view account) const;
    // The lines (1-based) that are not the record's own, each once.
    const std::vector<std::size_t>& foreignLines() const { return foreign_lines_; }

private:
    // By account, then by key: a million bookings are judged without
    // building a million joined map keys.
    std::unordered_map<std::string, Keys> last_;
    std::vector<std::size_t> foreign_lines_;
};

// "2026-12-06T14:03:22+0100" as «06.12.2026».
std::string GermanDay(std::string_view time);
// The time now, as the record writes it.
std::string TimeNow();

}  // namespace velmora::cli
