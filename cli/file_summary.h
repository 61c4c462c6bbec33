#pragma once
// What velmora-import tells about each file on standard error: the bookings
// it gives, the records it leaves out, what a send must not do unasked
// (bookings whose date or amount could not be read, dates whose day and month
// "--monat-tag" may take the wrong way round), and what never goes out.
#include <string>
#include <string_view>

#include "import/booking_run.h"
#include "import/send_concerns.h"

namespace velmora::cli {

// How the summary names "Monat/Tag tauschen".
inline constexpr import::BoxWords box_words{"mit --monat-tag („Monat/Tag tauschen“)",
                                            "ohne --monat-tag („Monat/Tag tauschen“)", "mit --monat-tag",
                                            "ohne --monat-tag"};

// One line with the counts, then one for each concern.
std::string FileSummary(std::string_view file_name, const import::RunReport& report,
                        const import::Concerns& concerns);

}  // namespace velmora::cli
