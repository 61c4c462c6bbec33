// One run over the line list: each line changes the record being gathered,
// and each record end sends it (in transaction blocks) and starts a new one.
#include "import/booking_run.h"

#include <algorithm>
#include <array>

#include "import/amount.h"
#include "import/buchung.h"
#include "import/qif_date.h"
#include "import/qif_section.h"
#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr std::int64_t no_amount_line = -1;

// Some exporters end each record with "^^"; blanks before it make it no end.
bool ends_record(std::string_view line) {
    return !line.empty() && line.find_first_not_of('^') == std::string_view::npos;
}

class BookingRun {
public:
    explicit BookingRun(const RunContext& run) : run_(run) { text_lines_.fill(no_line); }

    void treat(std::string_view line, std::int64_t index) {
        if (ends_record(line)) {
            end_record(index);
            return;
        }
        if (line.starts_with('!')) {
            take_header(line, index);
            return;
        }
        note_record_line(line, index);
        // A field comes only from its own line: what the amount steps leave
        // of a «TMiete» is no memo.
        if (line.starts_with('D')) take_date(line, index);
        if (line.starts_with('T')) take_amount(line, index);
        if (line.starts_with('M')) take_text(buchung_.memo, memo_text, line, index);
        if (line.starts_with('P')) take_text(buchung_.empfaenger, empfaenger_text, line, index);
        if (line.starts_with('L') && ticked(Option::mit_kat)) take_category(line, index);
        if (line.starts_with('L') && ticked(Option::kat_konto)) take_counter_account(line, index);
    }

    // The lines left after the last record end form a record that is never
    // sent; the user hears of it when it holds a booking's field.
    void finish() {
        if (holds_unsent_booking()) report_.unclosed_at_end = record_first_line_;
    }

    const RunReport& report() const { return report_; }

private:
    bool ticked(Option option) const { return run_.option && run_.option(option); }

    void note_record_line(std::string_view line, std::int64_t index) {
        if (!line.empty() && record_first_line_ == no_line) record_first_line_ = index;
        if (!line.empty() && std::string_view("DTPML").find(line.front()) != std::string_view::npos)
            record_has_booking_field_ = true;
    }

    bool holds_unsent_booking() const { return section_ == Section::transactions && record_has_booking_field_; }

    void take_text(std::string& field, BookingText text, std::string_view line, std::int64_t index) {
        field.assign(text::WithoutFirst(line));
        text_lines_[text] = index;
    }

    void take_header(std::string_view line, std::int64_t index) {
        if (const auto section = section_of_header(line)) enter(*section);
        if (const auto order = declared_date_order(line)) report_.dates.declare(*order, index, line);
    }

    // Read both ways: the box gives the booking's date, the checks before a
    // send weigh both.
    void take_date(std::string_view line, std::int64_t index) {
        date_ = read_date(line);
        buchung_.datum = booking_date(date_.under(ticked(Option::monat_tag)));
        date_line_ = index;
        text_lines_[datum_text] = text_lines_[datum_again_text] = index;
        date_text_ = line;
    }

    void take_amount(std::string_view line, std::int64_t index) {
        amount_line_ = amount_text(line, amount_) == AmountReading::unreadable ? index : no_amount_line;
        text_lines_[betrag_text] = index;
        text_lines_[konto_von_text] = text_lines_[konto_an_text] = no_line;  // the window's accounts
        const std::string_view a = amount_;
        if (a.starts_with('-')) {
            negativ_ = true;
            buchung_.betrag.assign(text::WithoutFirst(a));
            buchung_.konto_von.assign(run_.chosen_account);
            buchung_.konto_an.assign(unbekannt);
        } else {
            buchung_.betrag.assign(a);
            buchung_.konto_von.assign(unbekannt);
            buchung_.konto_an.assign(run_.chosen_account);
        }
    }

    // The last ":" part names the category: «LAuto:Benzin» gives «Benzin».
    void take_category(std::string_view line, std::int64_t index) {
        const std::string_view c = text::WithoutFirst(line);
        buchung_.kategorie.assign(text::NthField(c, ":", text::CountFields(c, ":")));
        text_lines_[kategorie_text] = index;
    }

    // «L[Sparbuch]» names the account on the other side of a transfer; the
    // record's sign says on which side the chosen account stands.
    void take_counter_account(std::string_view line, std::int64_t index) {
        const std::string_view rest = text::WithoutFirst(line);
        if (!rest.starts_with('[')) return;
        const std::string_view inner = text::WithoutFirst(rest);
        const std::string_view name = text::Left(inner, static_cast<long long>(text::Len(inner)) - 1);
        buchung_.konto_von.assign(negativ_ ? run_.chosen_account : name);
        buchung_.konto_an.assign(negativ_ ? name : run_.chosen_account);
        if (buchung_.konto_von == buchung_.konto_an) buchung_.konto_von.assign(unbekannt);
        text_lines_[konto_von_text] = text_lines_[konto_an_text] = index;
    }

    enum class Fate { sent, skipped, too_long };

    Fate fate_of_record() {
        if (section_ != Section::transactions || skipped_as_own_transfer()) return Fate::skipped;
        buchung_.write_arguments(arguments_);
        return run_.argument_room.fits(arguments_) ? Fate::sent : Fate::too_long;
    }

    void end_record(std::int64_t index) {
        const Fate fate = fate_of_record();
        if (section_ == Section::transactions && date_line_ != no_date_line)
            report_.dates.weigh(date_, date_line_, date_text_, fate == Fate::sent);
        switch (fate) {
        case Fate::sent: send_booking(record_first_line_ == no_line ? index : record_first_line_); break;
        case Fate::skipped: ++report_.skipped; break;
        case Fate::too_long: report_.too_long.push_back(line_of_longest_text(index)); break;
        }
        start_record(betrag_ohne_t_zeile);
        record_ended_ = true;
    }

    // `record_line`: where the record begins, its first line that is not empty.
    void send_booking(std::int64_t record_line) {
        const Unreadable unreadable{buchung_.datum.empty(), amount_line_ != no_amount_line};
        run_.send(arguments_, {record_line, unreadable});
        ++report_.sent;
        if (unreadable.date) report_.undated.push_back(date_line_);
        if (unreadable.amount) report_.unreadable_amounts.push_back(amount_line_);
        if (unreadable.any()) ++report_.sent_unreadable;
    }

    // The line to look at for a booking the script could not receive.
    std::int64_t line_of_longest_text(std::int64_t record_end) const {
        const auto longest = std::max_element(arguments_.begin(), arguments_.end(),
                                              [](const auto& a, const auto& b) { return a.size() < b.size(); });
        const std::int64_t line = text_lines_[static_cast<std::size_t>(longest - arguments_.begin())];
        return line == no_line ? record_end : line;
    }

    void start_record(std::string_view betrag_default) {
        buchung_.reset(betrag_default);
        negativ_ = false;
        date_line_ = no_date_line;
        amount_line_ = no_amount_line;
        text_lines_.fill(no_line);
        record_first_line_ = no_line;
        record_has_booking_field_ = false;
    }

    bool skipped_as_own_transfer() const {
        if (!ticked(Option::kat_gleich)) return false;
        const std::string_view k = buchung_.kategorie;
        const std::string_view to = buchung_.konto_an;
        return k.size() == to.size() + 2 && k.front() == '[' && k.back() == ']' && k.substr(1, to.size()) == to;
    }

    // A record never runs across a header: what an unclosed record gathered
    // belongs to the block before and is dropped, as at the end of the file.
    void enter(Section section) {
        if (holds_unsent_booking()) report_.unclosed_before_header.push_back(record_first_line_);
        section_ = section;
        start_record(record_ended_ ? betrag_ohne_t_zeile : std::string_view{});
    }

    const RunContext& run_;
    Buchung buchung_;
    bool negativ_ = false;
    std::int64_t date_line_ = no_date_line;
    DateReading date_;
    std::string_view date_text_;  // in the line list, which outlives the run
    std::int64_t amount_line_ = no_amount_line;
    std::array<std::int64_t, booking_texts> text_lines_{};  // by BookingText
    std::int64_t record_first_line_ = no_line;
    bool record_has_booking_field_ = false;
    bool record_ended_ = false;
    Section section_ = Section::transactions;
    std::string amount_;
    BookingArguments arguments_;
    RunReport report_;
};

}  // namespace

RunReport buchung_erzeugen(const LineList& zeilen, std::int64_t last_index, const RunContext& run) {
    BookingRun booking_run(run);
    const std::int64_t last = std::min(last_index, zeilen.upper_bound());
    for (std::int64_t i = 0; i <= last; ++i) {
        booking_run.treat(zeilen[static_cast<std::size_t>(i)], i);
        if (run.yield) run.yield();
    }
    booking_run.finish();
    return booking_run.report();
}

}  // namespace velmora::import
