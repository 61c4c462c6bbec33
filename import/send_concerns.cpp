// Putting what the checks before a send found into the sentences the user reads.
#include "import/send_concerns.h"

#include <cctype>

#include "import/unreadable_bookings.h"
#include "platform/text.h"

namespace velmora::import {

namespace {

constexpr std::string_view forms_read
    = "Velmora liest Daten wie 31.12.2026 (Tag.Monat.Jahr), 12/31/2026 und 12/31'26 (Monat/Tag/Jahr), "
      "31-12-2026 (Tag-Monat-Jahr), 2026-12-31, 2026/12/31 und 20261231 (Jahr zuerst), 31. Dez. 2026 und "
      "Dec 31, 2026 (mit Monatsnamen), das Jahr auch zweistellig";

std::string goes(std::size_t bookings) { return bookings == 1 ? " ginge" : " gingen"; }

// The box's words start with a small ASCII letter.
std::string capitalised(std::string_view words) {
    std::string text(words);
    text[0] = static_cast<char>(std::toupper(static_cast<unsigned char>(text[0])));
    return text;
}

// «Tag.Monat», «Monat/Tag», «Tag-Monat»
std::string order_written(DateForm form, DateOrder order) {
    const char separator = form == DateForm::slashes ? '/' : form == DateForm::dashes ? '-' : '.';
    return order == DateOrder::day_first ? std::string("Tag") + separator + "Monat" : std::string("Monat") + separator + "Tag";
}

std::string line_number(const FileLine& line) { return std::to_string(line.index + 1); }

// An option line decides more plainly than a date that happens to read one way.
std::string what_decides(const OrderFinding& finding) {
    if (finding.line.text.starts_with('!'))
        return std::string("Die Datei schreibt den ") + (finding.order == DateOrder::month_first ? "Monat" : "Tag")
               + " zuerst (" + finding.line.text + ", Zeile " + line_number(finding.line) + ")";
    return "Zeile " + line_number(finding.line) + " liest sich nur als " + order_written(finding.form, finding.order)
           + ": " + finding.line.text;
}

std::string against_the_file(const OrderFinding& finding, bool swap_month_day, const BoxWords& words) {
    std::string said = what_decides(finding);
    if (finding.bookings == 0) return said;
    return said + "; " + std::string(swap_month_day ? words.with : words.without) + goes(finding.bookings) + " "
           + text::CountOf(finding.bookings, "Buchung", "Buchungen") + " mit vertauschtem Tag und Monat hinaus";
}

// «D01.03.2026 ginge als 03.01.2026 hinaus, ohne den Haken als 01.03.2026»
std::string left_open(const OrderFinding& finding, bool swap_month_day, const BoxWords& words) {
    const DateReading date = read_date(finding.line.text);
    return "Nichts in der Datei sagt, ob sie den Tag oder den Monat zuerst schreibt; bei "
           + text::CountOf(finding.bookings, "Buchung", "Buchungen") + " ergibt das zwei verschiedene Daten: "
           + finding.line.text + " ginge als " + booking_date(date.under(swap_month_day)) + " hinaus, "
           + std::string(swap_month_day ? words.without_again : words.with_again) + " als "
           + booking_date(date.under(!swap_month_day));
}

// When only the readable bookings go out, the unreadable ones are told as
// left out instead (bookings_left_out): no sentence may say they would go.
std::vector<std::string> unreadable(const RunReport& report, bool readable_only) {
    std::vector<std::string> parts;
    if (!readable_only && !report.undated.empty())
        parts.push_back(undated_bookings(report.undated) + goes(report.undated.size()) + " mit leerem Datum an Zandor");
    if (report.dates.sent_unreadable_either_way()) parts.emplace_back(forms_read);
    if (!readable_only && !report.unreadable_amounts.empty())
        parts.push_back(bookings_without_amount(report.unreadable_amounts) + goes(report.unreadable_amounts.size())
                        + " mit dem an Zandor, was die Regeln für Beträge von ihrer T-Zeile übrig lassen (aus T1.234 "
                          "wird 123, also 1,23 €)");
    return parts;
}

std::string is_not_sent(std::size_t count) { return count == 1 ? " wird nicht gesendet" : " werden nicht gesendet"; }

std::vector<std::string> never_sent(const RunReport& report) {
    std::vector<std::string> parts;
    if (!report.too_long.empty())
        parts.push_back(bookings_too_long(report.too_long) + is_not_sent(report.too_long.size())
                        + ": Das System übergibt einem Programm keinen so langen Text");
    if (!report.unclosed_before_header.empty())
        parts.push_back(records_cut_by_header(report.unclosed_before_header)
                        + is_not_sent(report.unclosed_before_header.size()));
    if (report.unclosed_at_end != no_line)
        parts.push_back("Der letzte Datensatz (ab Zeile " + std::to_string(report.unclosed_at_end + 1)
                        + ") endet ohne „^“ und wird nicht gesendet");
    return parts;
}

std::vector<std::string> date_order(const DateEvidence& dates, bool swap_month_day, const BoxWords& words) {
    std::vector<std::string> parts;
    for (const OrderFinding& finding : order_findings(dates, swap_month_day))
        parts.push_back(finding.kind == OrderFinding::Kind::against_the_file
                            ? against_the_file(finding, swap_month_day, words)
                            : left_open(finding, swap_month_day, words));
    // A wrong box is the likeliest cause of unreadable dates.
    if (dates.sent_unreadable(swap_month_day) > 0 && dates.sent_unreadable(!swap_month_day) == 0)
        parts.push_back(capitalised(swap_month_day ? words.without : words.with) + " wären alle Daten lesbar");
    return parts;
}

}  // namespace

std::string bookings_left_out(const RunReport& report, bool readable_only) {
    std::vector<std::string> parts;
    if (readable_only && !report.undated.empty()) parts.push_back(undated_bookings(report.undated));
    if (readable_only && !report.unreadable_amounts.empty())
        parts.push_back(bookings_without_amount(report.unreadable_amounts));
    if (!report.too_long.empty()) parts.push_back(bookings_too_long(report.too_long));
    std::string said;
    for (const std::string& part : parts) said += (said.empty() ? "Nicht gesendet: " : "; ") + part;
    return said;
}

Concerns concerns_before_sending(const RunReport& report, bool swap_month_day, const BoxWords& words,
                                 bool readable_only) {
    Concerns concerns{unreadable(report, readable_only), date_order(report.dates, swap_month_day, words),
                      never_sent(report)};
    concerns.asks = !concerns.unreadable.empty() || !concerns.date_order.empty() || !report.too_long.empty();
    return concerns;
}

}  // namespace velmora::import
