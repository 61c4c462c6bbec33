// Gathering what a file says about its date order, and where the box reads
// against it or the file leaves open what matters.
#include "import/date_order.h"

namespace velmora::import {

namespace {

constexpr std::size_t slot(DateOrder order) { return order == DateOrder::day_first ? 0 : 1; }
constexpr DateOrder other(DateOrder order) {
    return order == DateOrder::day_first ? DateOrder::month_first : DateOrder::day_first;
}

std::optional<std::size_t> form_slot(DateForm form) {
    switch (form) {
    case DateForm::dots: return 0;
    case DateForm::slashes: return 1;
    case DateForm::dashes: return 2;
    default: return std::nullopt;
    }
}

void keep_first(std::optional<FileLine>& kept, std::int64_t index, std::string_view line) {
    if (!kept) kept = FileLine{index, std::string(line)};
}

std::optional<OrderFinding> against_the_file(const FormEvidence& form, DateForm kind, DateOrder read) {
    const DateOrder file = other(read);
    const auto& deciding = form.declared[slot(file)] ? form.declared[slot(file)] : form.read_only[slot(file)];
    // Nothing goes out otherwise than the file means when every date sent reads alike both ways.
    if (!deciding || (form.sent_both_ways == 0 && form.sent_reading_only[slot(file)] == 0)) return std::nullopt;
    return OrderFinding{OrderFinding::Kind::against_the_file, kind, file, *deciding, form.sent_both_ways};
}

// Slashes are read month first, dots and dashes day first, each swapped by the box.
DateOrder order_read(DateForm form, bool swap_month_day) {
    const DateOrder as_written = form == DateForm::slashes ? DateOrder::month_first : DateOrder::day_first;
    return swap_month_day ? other(as_written) : as_written;
}

bool decided(const FormEvidence& form) {
    for (DateOrder order : {DateOrder::day_first, DateOrder::month_first})
        if (form.declared[slot(order)] || form.read_only[slot(order)]) return true;
    return false;
}

}  // namespace

void DateEvidence::declare(DateOrder order, std::int64_t index, std::string_view line) {
    declared_order_ = order;
    declaring_line_ = FileLine{index, std::string(line)};
}

void DateEvidence::weigh(const DateReading& date, std::int64_t index, std::string_view line, bool sent) {
    if (sent) {
        sent_unreadable_[0] += date.as_written ? 0 : 1;
        sent_unreadable_[1] += date.swapped ? 0 : 1;
        sent_unreadable_either_way_ |= !date.as_written && !date.swapped;
    }
    const auto form_index = form_slot(date.form);
    if (!form_index) return;
    FormEvidence& form = forms_[*form_index];
    if (declared_order_) keep_first(form.declared[slot(*declared_order_)], declaring_line_->index, declaring_line_->text);
    const bool slashes = date.form == DateForm::slashes;
    const std::optional<Date>& day_first = slashes ? date.swapped : date.as_written;
    const std::optional<Date>& month_first = slashes ? date.as_written : date.swapped;
    // A date that reads one way only shows the file's order; one that reads
    // both ways as two dates is what the box may swap.
    if (day_first.has_value() != month_first.has_value()) {
        const DateOrder only = day_first ? DateOrder::day_first : DateOrder::month_first;
        keep_first(form.read_only[slot(only)], index, line);
        form.sent_reading_only[slot(only)] += sent ? 1 : 0;
    } else if (sent && day_first && *day_first != *month_first) {
        ++form.sent_both_ways;
        keep_first(form.first_sent_both_ways, index, line);
    }
}

const FormEvidence& DateEvidence::of(DateForm form) const { return forms_[form_slot(form).value()]; }

std::vector<OrderFinding> order_findings(const DateEvidence& evidence, bool swap_month_day) {
    std::vector<OrderFinding> findings;
    for (DateForm kind : {DateForm::dots, DateForm::slashes, DateForm::dashes}) {
        const FormEvidence& form = evidence.of(kind);
        const DateOrder read = order_read(kind, swap_month_day);
        if (auto finding = against_the_file(form, kind, read)) {
            findings.push_back(*finding);
        } else if (!decided(form) && form.sent_both_ways > 0 && (kind != DateForm::dots || swap_month_day)) {
            findings.push_back({OrderFinding::Kind::left_open, kind, read, *form.first_sent_both_ways, form.sent_both_ways});
        }
    }
    return findings;
}

}  // namespace velmora::import
