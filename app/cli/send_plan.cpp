#include "app/cli/send_plan.h"

#include "app/cli/booking_key.h"
#include "bridge/zandor_messages.h"
#include "platform/text.h"

namespace velmora::cli {

namespace {

constexpr std::string_view unclear_advice = "ob sie in Zandor angekommen sind, ist unklar; bitte dort nachsehen, "
                                            "dann mit --alle senden oder mit --vergessen freigeben";

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

std::string unclearLine(const StayingHome::Unclear& unclear)
{
    const import::BookingArguments& texts = unclear.texts;
    return "  " + texts[0] + "  " + EuroAmount(texts[2]) + "  von " + texts[3] + " an " + texts[4] + "  " + texts[6]
           + "  " + texts[7] + "  (unterwegs seit " + GermanDay(unclear.since) + ")\n";
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

std::string StayingHomeSummary(const StayingHome& staying_home, std::string_view account,
                               const import::BookingArguments* being_sent)
{
    std::string summary;
    if (staying_home.in_earlier_file > 0)
        summary += text::CountOf(staying_home.in_earlier_file, "Buchung", "Buchungen")
                   + " übersprungen: schon in einer früheren Datei dieses Aufrufs\n";
    for (const auto& [day, count] : staying_home.sent_on_day)
        summary += text::CountOf(count, "Buchung", "Buchungen") + " übersprungen: schon am " + GermanDay(day) + " an »"
                   + std::string(account) + "« gesendet\n";
    std::vector<const StayingHome::Unclear*> unclear;
    for (const StayingHome::Unclear& booking : staying_home.unclear) {
        if (being_sent != nullptr && booking.texts == *being_sent)
            summary += "1 Buchung wird gerade von einem anderen velmora-import gesendet:\n" + unclearLine(booking);
        else
            unclear.push_back(&booking);
    }
    if (unclear.empty())
        return summary;
    summary += text::CountOf(unclear.size(), "Buchung", "Buchungen") + " nicht gesendet: "
               + std::string(unclear_advice) + ":\n";
    for (const StayingHome::Unclear* booking : unclear)
        summary += unclearLine(*booking);
    return summary;
}

}  // namespace velmora::cli
