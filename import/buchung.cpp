// Resetting a booking record and laying it out for the booking script.
#include "import/buchung.h"

namespace velmora::import {

void Buchung::reset(std::string_view betrag_default) {
    datum.clear();
    betrag.assign(betrag_default);
    konto_von.clear();
    konto_an.clear();
    kategorie.assign(sonstiges);
    empfaenger.clear();
    memo.clear();
}

void Buchung::write_arguments(std::vector<std::string>& arguments) const {
    arguments.resize(booking_texts);
    arguments[datum_text] = datum;
    arguments[datum_again_text] = datum;
    arguments[betrag_text] = betrag;
    arguments[konto_von_text] = konto_von;
    arguments[konto_an_text] = konto_an;
    arguments[kategorie_text] = kategorie;
    arguments[empfaenger_text] = empfaenger;
    arguments[memo_text] = memo;
    arguments[empty_text].clear();
}

}  // namespace velmora::import
