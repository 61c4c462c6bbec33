#pragma once
// velmora-import run as a user runs it: copied into a bundle of the test's
// own, beside stand-in scripts, and started as a process.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "import/booking_run.h"
#include "platform/process.h"
#include "tests/support/temporary_bundle.h"

namespace velmora::testing {

// The nine texts of each booking in a JSON preview, decoded.
std::vector<import::BookingArguments> DecodeJsonLines(std::string_view json_lines);

class ImportProgramTest : public ::testing::Test {
protected:
    ImportProgramTest();

    // Runs the program with `arguments`; its account script prints `accounts`.
    process::Outcome run(const std::vector<std::string>& arguments, std::string_view accounts = "Girokonto, Sparbuch");
    // Writes a file beside the bundle and returns its path.
    std::string file(std::string_view name, std::string_view bytes) const;
    // The bookings the booking script received, each as its nine texts.
    std::vector<import::BookingArguments> bookingsSent() const;

    const TemporaryBundle bundle;
    const std::filesystem::path log = bundle.folder / "bookings.log";
};

}  // namespace velmora::testing
