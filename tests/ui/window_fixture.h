#pragma once
// A main window opened against a temporary bundle whose account script the
// test writes; modal messages are answered and recorded.
#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "bridge/banking_scripts.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/temp_bundle.h"
#include "ui/fenster1.h"

namespace velmora::testing {

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        original_executable_ = App()->ExecutableFile();
        App()->setExecutableFile(bundle.executable());
    }
    void TearDown() override
    {
        window.reset();
        App()->setExecutableFile(original_executable_);
    }

    // Opens a fresh main window whose account script prints `accounts`.
    ui::Fenster1& openWindow(std::string_view accounts = "Girokonto, Sparbuch")
    {
        bundle.writePrintingScript(kKontennamenScript, accounts);
        window = std::make_unique<ui::Fenster1>();
        window->Open();
        return *window;
    }

    TempBundle bundle;
    ModalDialogs dialogs;
    std::unique_ptr<ui::Fenster1> window;

private:
    std::filesystem::path original_executable_;
};

}  // namespace velmora::testing
