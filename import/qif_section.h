#pragma once
// Which kind of QIF block the lines belong to.
#include <optional>
#include <string_view>

#include "import/qif_date.h"

namespace velmora::import {

// Transactions are booked; the entries of account, category, class,
// memorised-transaction, security and price lists are not.
enum class Section { transactions, list };

// The section a "!" header line opens: «!Type:Bank», «!Type:Cash»,
// «!Type:CCard», «!Type:Oth A», «!Type:Oth L» and «!Type:Invst» (letter case
// and blanks around the type ignored) open transactions, «!Account» and any
// other «!Type:…» a list. Any other line (an «!Option:…» or «!Clear:…» among
// them) opens nothing: nullopt.
std::optional<Section> section_of_header(std::string_view line);

// The order an «!Option:MDY» or «!Option:DMY» line declares for the dates
// below it (letter case and blanks around the option ignored); nullopt for
// any other line.
std::optional<DateOrder> declared_date_order(std::string_view line);

}  // namespace velmora::import
