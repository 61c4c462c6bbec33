#include "record/send_plan.h"

#include "platform/text.h"
#include "record/booking_key.h"

namespace velmora::record {

namespace {

Mark markOf(const SentRecord::Last* last)
{
    if (last == nullptr)
        return Mark::neu;
    switch (last->state) {
    case SentState::gesendet: return Mark::schon_gesendet;
    case SentState::unterwegs: return Mark::unklar;
    case SentState::fehlgeschlagen:
    case SentState::vergessen: break;
    }
    return Mark::neu;
}

}  // namespace

std::string_view MarkName(Mark mark)
{
    switch (mark) {
    case Mark::schon_gesendet: return "schon gesendet";
    case Mark::unklar: return "unklar";
    case Mark::neu: break;
    }
    return "neu";
}

SendPlanner::SendPlanner(std::string_view account, const SentRecord& record, bool send_all, KeyUse use)
    : account_(account), send_all_(send_all), recording_(use == KeyUse::recording),
      keys_wanted_(recording_ || record.knows(account)), digest_of_(record.digestFunction()),
      sent_(record.keysOf(account))
{
}

void SendPlanner::startFile(bool later_files_follow)
{
    occurrences_.startFile();
    count_every_combination_ = recording_ || later_files_follow;
}

Judgement SendPlanner::judge(const import::BookingArguments& booking)
{
    if (!keys_wanted_)
        return {};
    const KeyFields fields = KeyFieldsOf(booking, account_);
    const KeyDigest digest = digest_of_(fields);
    const bool may_be_sent = sent_ != nullptr && sent_->mayHave(digest);
    const OccurrenceTable::Count count = occurrences_.count(fields, digest, count_every_combination_ || may_be_sent);
    const SentRecord::Last* last = may_be_sent ? sent_->last(fields, digest, count.occurrence) : nullptr;
    Judgement judgement{{}, markOf(last), true};
    judgement.goes_out = send_all_ || judgement.mark == Mark::neu;
    if (judgement.goes_out && !send_all_ && count.in_earlier_file) {
        // Overlapping exports in one call: the later file's copy is the same booking.
        judgement = {{}, Mark::schon_gesendet, false};
        ++staying_home_.in_earlier_file;
    } else if (!judgement.goes_out) {
        noteStayingHome(judgement, last, booking);
    }
    if (judgement.goes_out && recording_)
        judgement.key = KeyOf(fields, count.occurrence);
    return judgement;
}

void SendPlanner::noteStayingHome(const Judgement& judgement, const SentRecord::Last* last,
                                  const import::BookingArguments& booking)
{
    if (judgement.mark == Mark::schon_gesendet)
        ++staying_home_.sent_on_day[std::string(last->time.substr(0, 10))];
    else
        staying_home_.unclear.push_back({booking, std::string(last->time)});
}

}  // namespace velmora::record
