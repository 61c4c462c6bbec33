#pragma once
// Which bookings of a run go out, judged against the record of what was sent:
// a booking whose key was sent to the account stays home, and so does one
// whose script did not end well ("unterwegs", "unklar"): whether it arrived is
// unclear, and it is never sent again silently. So does the copy of a booking
// an earlier file of the same call sends. --alle sends every booking all the
// same. A preview and a send judge alike, booking for booking.
#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "record/key_digest.h"
#include "record/occurrence_table.h"
#include "record/sent_record.h"

namespace velmora::record {

enum class Mark {
    neu,
    schon_gesendet,
    unklar,         // it may have reached Zandor or not: the user says which
    fruehere_datei,  // an earlier file of the same call sends it
};

// «neu», «schon gesendet», «unklar», «frühere Datei»: the preview table's words.
std::string_view MarkName(Mark mark);

// What the record's last event of a key means for its booking; nullptr: the
// record does not know it.
Mark MarkOf(const LastEvent* last);

// Where a booking stands in the files of a call, to name it to the user.
struct BookingPlace {
    std::string_view file;
    std::int64_t line = -1;  // index of the line its record begins at
};

struct Judgement {
    std::string key;  // only for a booking that goes out, when the keys are for the record
    Mark mark = Mark::neu;
    bool goes_out = true;
};

// What stays home, for the summary.
struct StayingHome {
    std::map<std::string, std::size_t> sent_on_day;  // by the day of sending, «2026-12-06»
    std::size_t in_earlier_file = 0;  // the same booking goes out from an earlier file of this call
    struct Unclear {
        import::BookingArguments texts;
        std::string since;
        std::string file;
        std::int64_t line = -1;
    };
    std::vector<Unclear> unclear;
};

// Whether the keys are wanted for the record, or only to judge the bookings:
// a preview against a record that has never heard of the account then needs
// none, and one that has builds no key at all (a million bookings cost no
// million keys).
enum class KeyUse { recording, judging };

class SendPlanner {
public:
    // The record must outlive the planner; its digests are the planner's.
    SendPlanner(std::string_view account, const SentRecord& record, bool send_all, KeyUse use);

    // Called before the bookings of each file. Judging the last file of a
    // call, only the combinations the record or an earlier file knows need
    // counting: any other booking is new however often it comes. Judging the
    // only file of a call against a record that does not know the account,
    // nothing needs counting at all.
    void startFile(bool later_files_follow = true);
    // Called for every booking of the run, in order.
    Judgement judge(const import::BookingArguments& booking, const BookingPlace& place = {});
    const StayingHome& stayingHome() const { return staying_home_; }

private:
    void noteStayingHome(const Judgement& judgement, const SentRecord::Last* last,
                         const import::BookingArguments& booking, const BookingPlace& place);

    std::string account_;
    bool send_all_;
    bool recording_;
    bool judged_ = true;
    bool count_every_combination_ = true;
    bool first_file_ = true;
    DigestFunction digest_of_;
    const SentKeys* sent_;  // nullptr when the record does not know the account
    OccurrenceTable occurrences_;
    StayingHome staying_home_;
};

}  // namespace velmora::record
