#pragma once
// Judging, for the whole file, which way round its dates name day and month.
// For each form of date (dots, slashes, dashes) the file decides the order
// by an «!Option:MDY» or «!Option:DMY» line above its dates, or by a date
// that reads only one way; where nothing decides, the order is left open.
// The booking run gathers what the file says, record by record; the checks
// before a send ask it where "Monat/Tag tauschen" reads dates against the
// file, or where the two readings give different dates and nothing decides.
#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "import/qif_date.h"

namespace velmora::import {

// A line of the file: its index in the line list and its text.
struct FileLine {
    std::int64_t index = 0;
    std::string text;
};

// What the dates of one form say about their order; arrays by DateOrder.
struct FormEvidence {
    // The first option line in force above a date of this form.
    std::array<std::optional<FileLine>, 2> declared;
    // The first date of this form that reads only that way.
    std::array<std::optional<FileLine>, 2> read_only;
    // Bookings sent whose date reads only that way.
    std::array<std::size_t, 2> sent_reading_only{};
    // Bookings sent whose date reads both ways, as two different dates.
    std::size_t sent_both_ways = 0;
    std::optional<FileLine> first_sent_both_ways;
};

class DateEvidence {
public:
    // An option line: the dates below it are written in `order`.
    void declare(DateOrder order, std::int64_t index, std::string_view line);
    // The date of a transaction record, and whether the record is sent
    // (a left-out own transfer's date still shows how the file writes).
    void weigh(const DateReading& date, std::int64_t index, std::string_view line, bool sent);

    const FormEvidence& of(DateForm form) const;
    // Bookings sent with a D line whose date does not read without the box,
    // and with it.
    std::size_t sent_unreadable(bool swap_month_day) const { return sent_unreadable_[swap_month_day ? 1 : 0]; }
    // A booking sent whose D line reads neither way.
    bool sent_unreadable_either_way() const { return sent_unreadable_either_way_; }

private:
    std::array<FormEvidence, 3> forms_;  // dots, slashes, dashes
    std::optional<DateOrder> declared_order_;
    std::optional<FileLine> declaring_line_;
    std::array<std::size_t, 2> sent_unreadable_{};
    bool sent_unreadable_either_way_ = false;
};

// A form of dates the box reads against the file, or whose order the file
// leaves open while the two readings give different dates.
struct OrderFinding {
    enum class Kind { against_the_file, left_open } kind;
    DateForm form;
    // Against the file: the order the file decides, and the line deciding
    // it (an option line in preference to a date). Left open: the order the
    // box reads, and the first booking's D line that reads both ways.
    DateOrder order;
    FileLine line;
    // Bookings sent whose date the two readings give differently: against
    // the file, they go out with day and month swapped.
    std::size_t bookings;
};

// Where the question before a send speaks about the order, form by form.
// Dotted dates left open speak only with the box ticked: they are written
// day first wherever Velmora's users live.
std::vector<OrderFinding> order_findings(const DateEvidence& evidence, bool swap_month_day);

}  // namespace velmora::import
