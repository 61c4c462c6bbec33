// Start-up, and the dialogs: the completion dialog and Qt's own.
#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QPointer>
#include <QTest>
#include <QTimer>

#include "app/app.h"
#include "app/file_types.h"
#include "platform/dialogs.h"
#include "platform/file_types.h"
#include "ui/wbestaetigung.h"

namespace velmora::testing {
namespace {

TEST(Startup, RegistersOneFileTypeAndTheApplicationObject)
{
    auto& types = platform::AllFileTypes();
    ASSERT_EQ(types.size(), 1u);
    EXPECT_EQ(&types.front(), FileTypes::SpecialAny());
    EXPECT_EQ(types.front().Name, "special/any");
    EXPECT_EQ(platform::ChooserNameFilter("special/any"), "");  // no filter: every file
    types.push_back({"Buchungen", {"qif", "QIF"}, "", "", "", false, {}});
    EXPECT_EQ(platform::ChooserNameFilter("Buchungen"), "Buchungen (*.qif *.QIF)");
    types.pop_back();
    EXPECT_EQ(App(), qApp);
}

TEST(CompletionDialog, ClosesOnReturnAndItsCloseBoxNotOnEscapeAndIsFreshEachTime)
{
    QPointer<ui::wBestaetigung> dialog = wBestaetigung();
    dialog->show();
    ASSERT_TRUE(QTest::qWaitForWindowExposed(dialog));
    QTest::keyClick(dialog, Qt::Key_Escape);
    ASSERT_TRUE(dialog && dialog->isVisible());
    QTest::keyClick(dialog, Qt::Key_Return);
    EXPECT_TRUE(QTest::qWaitFor([&] { return dialog.isNull(); }));
    QPointer<ui::wBestaetigung> next = wBestaetigung();
    next->show();
    next->close();
    EXPECT_TRUE(QTest::qWaitFor([&] { return next.isNull(); }));
}

// Its text and its button show whole and stay where they are when the user
// makes it larger; it gets no smaller than 64 by 64.
TEST(CompletionDialog, ShowsItsTextAndOkWholeAndKeepsThemWhenResized)
{
    ui::wBestaetigung dialog;
    dialog.show();
    const std::array<QWidget*, 2> controls{dialog.StaticText1(), dialog.pbOK()};
    const std::array places{controls[0]->geometry(), controls[1]->geometry()};
    for (const QWidget* control : controls)
        EXPECT_TRUE(control->isVisible() && dialog.rect().contains(control->geometry())) << control->objectName().toStdString();
    EXPECT_LE(dialog.StaticText1()->sizeHint().width(), dialog.StaticText1()->width()) << "text cut off";
    dialog.resize(500, 400);
    EXPECT_EQ(dialog.size(), QSize(500, 400));
    EXPECT_EQ(controls[0]->geometry(), places[0]);
    EXPECT_EQ(controls[1]->geometry(), places[1]);
    dialog.resize(10, 10);
    EXPECT_EQ(dialog.size(), QSize(64, 64));
}

// Qt's own dialogs speak German, as the program does, whatever the system's language.
TEST(QtDialogs, FileChooserCancelButtonReadsAbbrechen)
{
    QString cancel_text;
    QTimer inspector;
    QObject::connect(&inspector, &QTimer::timeout, [&] {
        if (auto* chooser = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            cancel_text = chooser->findChild<QDialogButtonBox*>()->button(QDialogButtonBox::Cancel)->text();
            chooser->reject();
        }
    });
    inspector.start(5);
    EXPECT_FALSE(platform::GetOpenFolderItem("special/any"));
    EXPECT_EQ(cancel_text.toStdString(), "Abbrechen");
}

}  // namespace
}  // namespace velmora::testing
