// Finding a month by its German or English name or the shortening of it.
#include "platform/month_names.h"

#include <algorithm>
#include <iterator>
#include <string>

namespace velmora {

namespace {

struct MonthName {
    std::string_view name;  // in lower case
    unsigned month;
};

// Austrian «Jänner», and «Maerz» from keyboards without umlauts.
constexpr MonthName month_names[] = {
    {"januar", 1},    {"january", 1},   {"jan", 1},   {"jänner", 1}, {"jän", 1},
    {"februar", 2},   {"february", 2},  {"feb", 2},
    {"märz", 3},      {"maerz", 3},     {"march", 3}, {"mär", 3},    {"mrz", 3}, {"mar", 3},
    {"april", 4},     {"apr", 4},
    {"mai", 5},       {"may", 5},
    {"juni", 6},      {"june", 6},      {"jun", 6},
    {"juli", 7},      {"july", 7},      {"jul", 7},
    {"august", 8},    {"aug", 8},
    {"september", 9}, {"sept", 9},      {"sep", 9},
    {"oktober", 10},  {"october", 10},  {"okt", 10},  {"oct", 10},
    {"november", 11}, {"nov", 11},
    {"dezember", 12}, {"december", 12}, {"dez", 12},  {"dec", 12},
};

// ASCII letters and the capital "Ä" (C3 84 in UTF-8) in lower case; the
// names hold no other letter that has a capital.
std::string lower_case(std::string_view word)
{
    std::string lower(word);
    for (std::size_t i = 0; i < lower.size(); ++i) {
        if (lower[i] >= 'A' && lower[i] <= 'Z')
            lower[i] = static_cast<char>(lower[i] - 'A' + 'a');
        else if (lower[i] == '\xC3' && i + 1 < lower.size() && lower[i + 1] == '\x84')
            lower[++i] = '\xA4';
    }
    return lower;
}

}  // namespace

std::optional<unsigned> MonthOfName(std::string_view word)
{
    const std::string lower = lower_case(word);
    const auto found = std::find_if(std::begin(month_names), std::end(month_names),
                                    [&](const MonthName& month) { return month.name == lower; });
    if (found == std::end(month_names))
        return std::nullopt;
    return found->month;
}

}  // namespace velmora
