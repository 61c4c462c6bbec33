#pragma once
// A main window opened against a temporary bundle whose account script the
// test writes; modal messages are answered and recorded.
#include <gtest/gtest.h>

#include <memory>

#include "app/app.h"
#include "bridge/banking_scripts.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/temporary_bundle.h"
#include "ui/fenster1.h"

namespace velmora::testing {

class WindowTest : public ::testing::Test {
protected:
    void TearDown() override { window.reset(); }

    // Opens a fresh main window whose account script prints `accounts`.
    ui::Fenster1& openWindow(std::string_view accounts = "Girokonto, Sparbuch")
    {
        bundle.writePrintingScript(kKontennamenScript, accounts);
        window = std::make_unique<ui::Fenster1>();
        window->Open();
        return *window;
    }

    TemporaryBundle bundle;  // the program's executable points into it while the test runs
    ModalDialogs dialogs;
    std::unique_ptr<ui::Fenster1> window;
};

}  // namespace velmora::testing
