#pragma once
// velmora-import run as a user runs it: copied into a bundle of the test's
// own, beside stand-in scripts (the booking script records what it gets).
#include <gtest/gtest.h>

#include "platform/process.h"
#include "tests/support/temporary_bundle.h"

namespace velmora::testing {

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
    std::string file(std::string_view name, std::string_view bytes) const { return bundle.file(name, bytes).string(); }

    const TemporaryBundle bundle;
};

}  // namespace velmora::testing
