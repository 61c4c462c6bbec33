#pragma once
// The names German and English dates give their months.
#include <optional>
#include <string_view>

namespace velmora {

// The month (1-12) a word names, whole or shortened as dates write it:
// «Januar», «January», «Jan», «Jän», «März», «Mär», «Mrz», «Mar», «Sept»...
// Letter case does not matter («DEZ», «mär», «MÄR»). nullopt for any other
// word.
std::optional<unsigned> MonthOfName(std::string_view word);

}  // namespace velmora
