#pragma once
// The booking record gathered from one QIF transaction record.
#include <string>
#include <string_view>
#include <vector>

namespace velmora::import {

// The counter account when the file names none.
inline constexpr std::string_view unbekannt = "Unbekannt";
// The category when the file names none, or categories are not taken.
inline constexpr std::string_view sonstiges = "Sonstiges";
// The amount of a record without a T line, from the second record of a run on.
inline constexpr std::string_view betrag_ohne_t_zeile = "0000";
// Number of texts the booking script expects.
inline constexpr std::size_t booking_texts = 9;
// Where each field stands among them; the last text is always empty.
enum BookingText : std::size_t {
    datum_text,
    datum_again_text,
    betrag_text,
    konto_von_text,
    konto_an_text,
    kategorie_text,
    empfaenger_text,
    memo_text,
    empty_text,
};

struct Buchung {
    std::string datum;
    std::string betrag;
    std::string konto_von;  // the account the money leaves
    std::string konto_an;   // the account the money goes to
    std::string kategorie{sonstiges};
    std::string empfaenger;
    std::string memo;

    // Back to an empty record, with `betrag` set to the given default.
    void reset(std::string_view betrag_default);
    // The nine texts for the booking script: date, date, amount, from, to,
    // category, payee, memo, and an empty text. Reuses the texts' storage.
    void write_arguments(std::vector<std::string>& arguments) const;
};

}  // namespace velmora::import
