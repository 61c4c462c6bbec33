#pragma once
// velmora-import run as a user runs it: copied into a bundle of the test's
// own, beside stand-in scripts (the booking script records what it gets).
#include <gtest/gtest.h>

#include "platform/process.h"
#include "tests/support/temporary_bundle.h"

namespace velmora::testing {

// The nine texts of each booking of a JSON preview (which escapes control characters as \u00XX).
inline std::vector<Texts> DecodeJsonLines(std::string_view json_lines)
{
    std::vector<Texts> bookings;
    for (const std::string& line : split(json_lines, '\n')) {
        Texts& texts = bookings.emplace_back();
        for (std::size_t i = line.find('"'); i != std::string::npos; i = line.find('"', i + 1)) {
            std::string& text = texts.emplace_back();
            for (++i; line[i] != '"'; ++i) {
                if (line[i] != '\\')
                    text += line[i];
                else if (line[++i] == 'u')
                    text += static_cast<char>(std::stoi(line.substr((i += 4) - 3, 4), nullptr, 16));
                else
                    text += line[i] == 'n' ? '\n' : line[i] == 'r' ? '\r' : line[i] == 't' ? '\t' : line[i];
            }
        }
    }
    bookings.pop_back();  // what follows the last line end
    return bookings;
}

class ImportProgramTest : public ::testing::Test {
protected:
    ImportProgramTest()
    {
        std::filesystem::copy_file(VELMORA_IMPORT_PROGRAM, bundle.macos / "velmora-import");
        bundle.recordBookings();
    }
    process::Outcome run(const std::vector<std::string>& arguments, std::string_view accounts = "Girokonto, Sparbuch")
    {
        bundle.writePrintingScript("Kontennamen ermitteln.scpt", accounts);
        return process::run(bundle.macos / "velmora-import", arguments);
    }
    std::string file(std::string_view name, std::string_view bytes) const
    {
        writeFile(bundle.folder / name, bytes);
        return (bundle.folder / name).string();
    }

    const TemporaryBundle bundle;
};

}  // namespace velmora::testing
