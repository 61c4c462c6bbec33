#pragma once
// A main window opened against a temporary bundle whose scripts the test
// writes (the booking script records what it gets); modal dialogs are answered
// and recorded.
#include <gtest/gtest.h>

#include <QTest>
#include <memory>

#include "app/menu_bar.h"
#include "bridge/banking_scripts.h"
#include "tests/support/modal_dialogs.h"
#include "tests/support/temporary_bundle.h"
#include "ui/fenster1.h"

namespace velmora::testing {

// Public, for the rows of table-driven tests, which act on the test.
class WindowTest : public ::testing::Test {
public:
    WindowTest() { bundle.recordBookings(); }

    // Opens a fresh main window whose account script prints `accounts`.
    ui::Fenster1& openWindow(std::string_view accounts = "Girokonto, Sparbuch")
    {
        bundle.writePrintingScript(kKontennamenScript, accounts);
        window = std::make_unique<ui::Fenster1>(Menue());
        window->Open();
        return *window;
    }
    void choose(const std::filesystem::path& chosen)
    {
        dialogs.chooseFile(chosen);
        QTest::mouseClick(window->btn_datei(), Qt::LeftButton);
    }
    void send() { QTest::mouseClick(window->btn_save(), Qt::LeftButton); }
    qsizetype confirmations() const { return dialogs.titles().count("Bestätigung"); }
    std::string lastMessage() const { return dialogs.messages().isEmpty() ? "" : dialogs.messages().back().toStdString(); }

    TemporaryBundle bundle;  // the program's executable points into it while the test runs
    ModalDialogs dialogs;
    std::unique_ptr<ui::Fenster1> window;
};

}  // namespace velmora::testing
