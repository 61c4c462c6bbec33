#include "record/send_plan.h"

#include "platform/text.h"
#include "record/booking_key.h"

namespace velmora::record {

Mark MarkOf(const LastEvent* last)
{
    if (last == nullptr)
        return Mark::neu;
    switch (last->state) {
    case SentState::gesendet:
    case SentState::angekommen: return Mark::schon_gesendet;
    case SentState::unterwegs:
    case SentState::unklar:
    case SentState::fehlgeschlagen: return Mark::unklar;
    case SentState::vergessen:
    case SentState::nicht_angekommen:
    case SentState::nicht_gestartet: break;
    }
    return Mark::neu;
}

std::string_view MarkName(Mark mark)
{
    switch (mark) {
    case Mark::schon_gesendet: return "schon gesendet";
    case Mark::unklar: return "unklar";
    case Mark::fruehere_datei: return "frühere Datei";
    case Mark::neu: break;
    }
    return "neu";
}

SendPlanner::SendPlanner(std::string_view account, const SentRecord& record, bool send_all, KeyUse use)
    : account_(account), send_all_(send_all), recording_(use == KeyUse::recording),
      digest_of_(record.digestFunction()), sent_(record.keysOf(account))
{
}

void SendPlanner::startFile(bool later_files_follow)
{
    occurrences_.startFile();
    const bool files_of_the_call_meet = !send_all_ && (later_files_follow || !first_file_);
    judged_ = recording_ || sent_ != nullptr || files_of_the_call_meet;
    count_every_combination_ = recording_ || later_files_follow;
    first_file_ = false;
}

Judgement SendPlanner::judge(const import::BookingArguments& booking, const BookingPlace& place)
{
    if (!judged_)
        return {};
    const KeyFields fields = KeyFieldsOf(booking, account_);
    const KeyDigest digest = digest_of_(fields);
    const bool may_be_sent = sent_ != nullptr && sent_->mayHave(digest);
    const OccurrenceTable::Count count = occurrences_.count(fields, digest, count_every_combination_ || may_be_sent);
    const SentRecord::Last* last = may_be_sent ? sent_->last(fields, digest, count.occurrence) : nullptr;
    Judgement judgement{{}, MarkOf(last), true};
    judgement.goes_out = send_all_ || judgement.mark == Mark::neu;
    if (judgement.goes_out && !send_all_ && count.in_earlier_file) {
        // Overlapping exports in one call: the later file's copy is the same booking.
        judgement = {{}, Mark::fruehere_datei, false};
        ++staying_home_.in_earlier_file;
    } else if (!judgement.goes_out) {
        noteStayingHome(judgement, last, booking, place);
    }
    if (judgement.goes_out && recording_)
        judgement.key = KeyOf(fields, count.occurrence);
    return judgement;
}

void SendPlanner::noteStayingHome(const Judgement& judgement, const SentRecord::Last* last,
                                  const import::BookingArguments& booking, const BookingPlace& place)
{
    if (judgement.mark == Mark::schon_gesendet)
        ++staying_home_.sent_on_day[std::string(last->time.substr(0, 10))];
    else
        staying_home_.unclear.push_back({booking, std::string(last->time), std::string(place.file), place.line});
}

}  // namespace velmora::record
