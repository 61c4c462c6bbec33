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
        for (const char* name : {"HOME", "XDG_STATE_HOME"}) {
            const char* value = std::getenv(name);
            saved_environment.emplace_back(name, value == nullptr ? std::optional<std::string>{} : value);
            setenv(name, bundle.folder.c_str(), 1);
        }
    }
    ~ImportProgramTest() override
    {
        for (const auto& [name, value] : saved_environment)
            value ? setenv(name, value->c_str(), 1) : unsetenv(name);
    }
    // Where velmora-import keeps its record here: $XDG_STATE_HOME/velmora, or on macOS below $HOME.
    std::filesystem::path record() const
    {
#ifdef __APPLE__
        return bundle.folder / "Library/Application Support/Velmora/gesendet.tsv";
#else
        return bundle.folder / "velmora/gesendet.tsv";
#endif
    }
    process::Outcome run(const std::vector<std::string>& arguments, std::string_view accounts = "Girokonto, Sparbuch")
    {
        bundle.writePrintingScript("Kontennamen ermitteln.scpt", accounts);
        return process::run(bundle.macos / "velmora-import", arguments);
    }
    std::string file(std::string_view name, std::string_view bytes) const { return bundle.file(name, bytes).string(); }

    const TemporaryBundle bundle;
    std::vector<std::pair<const char*, std::optional<std::string>>> saved_environment;
};

}  // namespace velmora::testing
