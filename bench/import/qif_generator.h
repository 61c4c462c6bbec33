#pragma once
// Synthetic Latin-1 QIF files that look like real bank exports, for timing.
#include <cstddef>
#include <filesystem>

namespace velmora::bench {

// Writes `transactions` bank transactions (about 85 bytes and 6.3 lines each):
// mixed date and amount forms, umlauts, transfers in brackets and splits.
void write_qif_file(const std::filesystem::path& file, std::size_t transactions);

}  // namespace velmora::bench
