#pragma once
// Which bookings of a run go out, judged against the record of what was sent:
// a booking whose key was sent to the account stays home, and so does one
// whose last state is "unterwegs": whether it arrived is unclear, and it is
// never sent again silently. --alle sends every booking all the same.
#include <cstddef>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "record/key_digest.h"
#include "record/occurrence_table.h"
#include "record/sent_record.h"

namespace velmora::record {

enum class Mark { neu, schon_gesendet, unklar };

// «neu», «schon gesendet», «unklar»: the preview table's words.
std::string_view MarkName(Mark mark);

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
    // counting: any other booking is new however often it comes.
    void startFile(bool later_files_follow = true);
    // Called for every booking of the run, in order.
    Judgement judge(const import::BookingArguments& booking);
    const StayingHome& stayingHome() const { return staying_home_; }

private:
    void noteStayingHome(const Judgement& judgement, const SentRecord::Last* last,
                         const import::BookingArguments& booking);

    std::string account_;
    bool send_all_;
    bool recording_;
    bool keys_wanted_;
    bool count_every_combination_ = true;
    DigestFunction digest_of_;
    const SentKeys* sent_;  // nullptr when the record does not know the account
    OccurrenceTable occurrences_;
    StayingHome staying_home_;
};

}  // namespace velmora::record
