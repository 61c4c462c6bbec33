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
    arguments[0] = datum;
    arguments[1] = datum;
    arguments[2] = betrag;
    arguments[3] = konto_von;
    arguments[4] = konto_an;
    arguments[5] = kategorie;
    arguments[6] = empfaenger;
    arguments[7] = memo;
    arguments[8].clear();
}

}  // namespace velmora::import
