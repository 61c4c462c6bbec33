// The completion dialog (how it closes, how it resizes), and Qt's own dialogs.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPointer>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

#include "platform/dialogs.h"
#include "ui/wbestaetigung.h"

namespace velmora::testing {
namespace {

TEST(CompletionDialog, ReturnClosesItEscapeDoesNot)
{
    QPointer<ui::wBestaetigung> dialog = wBestaetigung();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    EXPECT_EQ(dialog->windowTitle(), "Bestätigung");
    EXPECT_EQ(dialog->StaticText1()->text(), "Script ausgeführt");

    QTest::keyClick(dialog, Qt::Key_Escape);
    ASSERT_TRUE(dialog);
    EXPECT_TRUE(dialog->isVisible());

    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }));
}

TEST(CompletionDialog, CloseBoxClosesItAndTheNextShowingIsFresh)
{
    QPointer<ui::wBestaetigung> first = wBestaetigung();
    first->show();
    first->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return first.isNull(); }));
    QPointer<ui::wBestaetigung> second = wBestaetigung();
    EXPECT_FALSE(second.isNull());
    delete second;
}

// Qt's own dialogs speak German, as the program does, whatever the system's language.
TEST(QtDialogs, FileChooserCancelButtonReadsAbbrechen)
{
    QString cancel_text;
    QTimer inspector;
    QObject::connect(&inspector, &QTimer::timeout, [&] {
        auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        if (!chooser)
            return;
        cancel_text = chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
        chooser->reject();
    });
    inspector.start(5);
    EXPECT_FALSE(platform::GetOpenFolderItem("special/any"));
    EXPECT_EQ(cancel_text.toStdString(), "Abbrechen");
}

TEST(CompletionDialog, ResizesNoSmallerThan64AndKeepsControlsAtTheTopLeft)
{
    ui::wBestaetigung dialog;
    dialog.show();
    const QRect button = dialog.pbOK()->geometry();
    const QRect label = dialog.StaticText1()->geometry();
    EXPECT_EQ(dialog.minimumSize(), QSize(64, 64));
    dialog.resize(500, 400);
    EXPECT_EQ(dialog.size(), QSize(500, 400));
    EXPECT_EQ(dialog.pbOK()->geometry(), button);
    EXPECT_EQ(dialog.StaticText1()->geometry(), label);
    dialog.resize(10, 10);
    EXPECT_EQ(dialog.size(), QSize(64, 64));
}

}  // namespace
}  // namespace velmora::testing
