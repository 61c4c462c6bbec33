#pragma once
// Synthetic Latin-1 QIF files that look like real bank exports, for timing.
#include <cstddef>
#include <filesystem>

namespace velmora::bench {

enum class RecordMix {
    everyday,       // mixed payments and income, some transfers in brackets
    own_transfers,  // every record a payment to [Sparbuch]: all skipped when the
                    // three category options are ticked
};

// Writes `transactions` bank transactions (about 85 bytes and 6.3 lines each):
// mixed date and amount forms, umlauts and splits.
void write_qif_file(const std::filesystem::path& file, std::size_t transactions,
                    RecordMix mix = RecordMix::everyday);

// The file for `transactions` of the given mix in the benchmarks' folder
// ($VELMORA_BENCH_DIR, else a folder in the system's temporary folder),
// written on first use and kept for later runs.
std::filesystem::path benchmark_file(std::size_t transactions, RecordMix mix = RecordMix::everyday);

}  // namespace velmora::bench
