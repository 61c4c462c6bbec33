// The same pseudo-random sequence every time, so runs compare.
#include "qif_generator.h"

#include <array>
#include <cstdlib>
#include <fstream>
#include <random>
#include <stdexcept>
#include <string>
#include <string_view>

namespace velmora::bench {

namespace {

// Latin-1 bytes: E4 ä, F6 ö, FC ü, DF ß, D6 Ö.
constexpr std::array<std::string_view, 8> payees = {
    "B\xE4""ckerei M\xFCller GmbH Filiale 12",  "Stadtwerke K\xF6ln Strom und Gas", "Gro\xDF""markt S\xFC""d Einkauf",
    "Hausverwaltung Meyer Miete Juni",       "\xD6lhandel Schr\xF6""der & S\xF6hne",  "Versicherung AG Beitrag",
    "Buchhandlung Fr\xFCh am Markt",          "Gehalt Firma Weber KG"};
constexpr std::array<std::string_view, 6> categories = {
    "Lebensmittel:Brot", "Nebenkosten:Strom", "Haushalt", "Auto:Benzin", "[Sparbuch]", "Geh\xE4lter"};
constexpr std::string_view own_transfer = "[Sparbuch]";
constexpr std::array<std::string_view, 5> memos = {"Wocheneinkauf f\xFCr die Familie", "Abschlag M\xE4rz 2019", "",
                                                   "Rechnung 4711 vom 12.03.", "Dauerauftrag monatlich"};

std::string two_digits(unsigned n) { return (n < 10 ? "0" : "") + std::to_string(n); }

std::string date_text(std::mt19937& random) {
    const unsigned day = 1 + random() % 28;
    const unsigned month = 1 + random() % 12;
    const unsigned year = random() % 30;
    switch (random() % 4) {
    case 0: return std::to_string(month) + "/" + std::to_string(day) + "/" + two_digits((1995 + year) % 100);
    case 1: return std::to_string(month) + "/" + (day < 10 ? " " : "") + std::to_string(day) + "'" + std::to_string(year % 10);
    case 2: return std::to_string(day) + "." + std::to_string(month) + "." + std::to_string(1995 + year);
    default: return std::to_string(1995 + year) + "-" + two_digits(month) + "-" + two_digits(day);
    }
}

std::string amount_text(std::mt19937& random, RecordMix mix) {
    const unsigned cents = random() % 100;
    const std::string sign = random() % 3 || mix == RecordMix::own_transfers ? "-" : "";
    const std::string two = two_digits(cents);
    switch (random() % 4) {
    case 0: return sign + "1.234," + two;
    case 1: return sign + "2,345." + two;
    case 2: return sign + std::to_string(random() % 1000) + "." + std::to_string(cents % 10);
    default: return sign + std::to_string(random() % 100000);
    }
}

}  // namespace

void write_qif_file(const std::filesystem::path& file, std::size_t transactions, RecordMix mix) {
    std::ofstream out(file, std::ios::binary);
    if (!out) throw std::runtime_error("cannot write " + file.string());
    std::mt19937 random(4711);
    std::string record;
    out << "!Type:Bank\n";
    for (std::size_t i = 0; i < transactions; ++i) {
        record.clear();
        record += "D" + date_text(random) + "\n";
        if (random() % 6 == 0) record += "N" + std::to_string(1000 + random() % 9000) + "\n";
        record += "T" + amount_text(random, mix) + "\n";
        record += "P" + std::string(payees[random() % payees.size()]) + "\n";
        if (const auto memo = memos[random() % memos.size()]; !memo.empty()) record += "M" + std::string(memo) + "\n";
        const std::string_view category = categories[random() % categories.size()];
        record += "L" + std::string(mix == RecordMix::own_transfers ? own_transfer : category) + "\n";
        if (random() % 8 == 0) record += "SHaushalt\nEAnteil\n$-12.50\n";
        record += "^\n";
        out << record;
    }
    if (!out.flush()) throw std::runtime_error("cannot write " + file.string());
}

std::filesystem::path benchmark_file(std::size_t transactions, RecordMix mix) {
    const char* dir = std::getenv("VELMORA_BENCH_DIR");
    const std::filesystem::path folder = dir ? std::filesystem::path(dir) : std::filesystem::temp_directory_path() / "velmora-bench";
    std::filesystem::create_directories(folder);
    const std::string kind = mix == RecordMix::own_transfers ? "transfers-" : "bank-";
    const std::filesystem::path file = folder / (kind + std::to_string(transactions) + ".qif");
    if (!std::filesystem::exists(file)) write_qif_file(file, transactions, mix);
    return file;
}

}  // namespace velmora::bench
