#pragma once
// The preview as a table a person reads: one line per booking with its mark
// (what a send would do with it), its date, the amount in euros and which way
// the money goes, category, payee and memo.
// Columns are aligned by characters; a text too long for its column is
// shortened with "…" (only here: the other forms carry every text whole).
#include <string>
#include <string_view>

#include "import/booking_run.h"

namespace velmora::cli {

// `text` cut to at most `width` characters, the last of them "…" when cut.
std::string Shortened(std::string_view text, std::size_t width);

void AppendTableHeader(std::string& out);
// «neu    31.12.2005    1.234,56 €  von Girokonto an Unbekannt    Strom    Stadtwerke    Abschlag»;
// a date or amount the file did not give readably shows as «unlesbar».
void AppendTableRow(std::string& out, const import::BookingArguments& booking, std::string_view mark,
                    import::Unreadable unreadable = {});

}  // namespace velmora::cli
