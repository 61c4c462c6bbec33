#pragma once
// Which kind of QIF block the lines belong to.
#include <optional>
#include <string_view>

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

}  // namespace velmora::import
