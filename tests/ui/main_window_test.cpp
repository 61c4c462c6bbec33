// The main window as the user meets it: its account list, its fixed layout,
// its keyboard behaviour, and errors raised by its handlers.
#include <QApplication>
#include <QSignalSpy>
#include <QTest>

#include "platform/event_loop.h"
#include "tests/support/bounded_event_loop.h"
#include "tests/ui/window_fixture.h"
#include "bridge/zandor_messages.h"
#include "ui/messages.h"

namespace velmora::testing {
namespace {

QStringList rowsOf(const QComboBox* popup)
{
    QStringList rows;
    for (int i = 0; i < popup->count(); ++i)
        rows << popup->itemText(i);
    return rows;
}

struct AccountListCase {
    const char* name;
    const char* script_output;
    QStringList rows;
};

class AccountList : public WindowTest, public ::testing::WithParamInterface<AccountListCase> {};

TEST_P(AccountList, SplitsTheScriptResultAtEveryCommaBlank)
{
    ui::Fenster1& w = openWindow(GetParam().script_output);
    EXPECT_EQ(rowsOf(w.pop_konten()), GetParam().rows);
    EXPECT_EQ(w.pop_konten()->currentIndex(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(platform::QuitRequested());
}

INSTANTIATE_TEST_SUITE_P(
    Window, AccountList,
    ::testing::Values(
        AccountListCase{"TwoNames", "Girokonto, Sparbuch", {"Girokonto", "Sparbuch"}},
        AccountListCase{"NoSeparator", "Girokonto", {"Girokonto"}},
        AccountListCase{"BareCommaDoesNotSplit", "Müller,Meier, Kasse", {"Müller,Meier", "Kasse"}},
        AccountListCase{"TrailingSeparator", "Girokonto, ", {"Girokonto", ""}},
        AccountListCase{"TwoSeparatorsInARow", "Giro, , Spar", {"Giro", "", "Spar"}},
        AccountListCase{"BlanksStay", " Giro ,  Spar", {" Giro ", " Spar"}},
        AccountListCase{"OnlyTheLastLineEndIsDropped", "Giro, Spar\n", {"Giro", "Spar"}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(WindowTest, EmptyAccountListExplainsAndQuitsBeforeTheLoop)
{
    ui::Fenster1& w = openWindow("");
    ASSERT_EQ(dialogs.messages().size(), 1);
    EXPECT_EQ(dialogs.messages().front().toStdString(), zandor_not_ready);
    EXPECT_EQ(w.pop_konten()->count(), 0);
    ASSERT_TRUE(platform::QuitRequested());

    // The loop is never entered: were it, it would end only at its bound.
    EXPECT_EQ(RunEventLoopAtMost(2000), 0);
    EXPECT_FALSE(platform::QuitRequested());
}

TEST_F(WindowTest, FailingAccountScriptIsReportedAndTheWindowStaysOpen)
{
    bundle.writeScript(kKontennamenScript, "#!/bin/sh\necho 'Zandor antwortet nicht' >&2; exit 3");
    window = std::make_unique<ui::Fenster1>();
    window->Open();
    ASSERT_EQ(dialogs.messages().size(), 1);
    const QString report = dialogs.messages().front();
    EXPECT_TRUE(report.contains("Kontennamen ermitteln.scpt")) << report.toStdString();
    EXPECT_TRUE(report.contains("Zandor antwortet nicht")) << report.toStdString();
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->pop_konten()->count(), 0);
    EXPECT_FALSE(platform::QuitRequested());
}

TEST_F(WindowTest, LayoutIsFixedAndNoControlsOverlap)
{
    ui::Fenster1& w = openWindow();
    const QWidget* content = w.centralWidget();
    EXPECT_EQ(content->size(), QSize(467, 327));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_FALSE(w.windowFlags() & Qt::WindowMaximizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowMinimizeButtonHint);
    EXPECT_TRUE(w.windowFlags() & Qt::WindowCloseButtonHint);

    const auto controls = content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 11);
    for (const QWidget* control : controls) {
        EXPECT_TRUE(content->rect().contains(control->geometry())) << control->objectName().toStdString();
        for (const QWidget* other : controls) {
            if (other == control)
                continue;
            EXPECT_FALSE(control->geometry().intersects(other->geometry()))
                << control->objectName().toStdString() << " / " << other->objectName().toStdString();
        }
    }
    // Qt's right() is the last pixel column; the edge lies one further.
    EXPECT_EQ(w.pop_konten()->geometry().right() + 1, 447);
    EXPECT_EQ(w.btn_quit()->geometry().right() + 1, 447);
}

TEST_F(WindowTest, TabVisitsControlsInDeclaredOrderSkippingLabels)
{
    ui::Fenster1& w = openWindow();
    const QList<QWidget*> expected{w.btn_quit(), w.btn_save(),  w.btn_datei(),  w.mit_kat(),
                                   w.monat_tag(), w.kat_konto(), w.pop_konten(), w.kat_gleich()};
    QList<QWidget*> visited{expected.front()};
    for (QWidget* next = expected.front()->nextInFocusChain(); visited.size() < expected.size();
         next = next->nextInFocusChain()) {
        if (next->focusPolicy() & Qt::TabFocus && next->parentWidget() == w.centralWidget())
            visited << next;
        ASSERT_NE(next, expected.front()) << "focus chain closed early";
    }
    EXPECT_EQ(visited, expected);
}

TEST_F(WindowTest, ReturnAndEscapePressNoButton)
{
    ui::Fenster1& w = openWindow();
    QSignalSpy quit(w.btn_quit(), &QPushButton::clicked);
    QSignalSpy save(w.btn_save(), &QPushButton::clicked);
    QSignalSpy file(w.btn_datei(), &QPushButton::clicked);
    for (QPushButton* focused : {w.btn_quit(), w.btn_save(), w.btn_datei()}) {
        focused->setFocus();
        for (int key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(focused, static_cast<Qt::Key>(key));
    }
    EXPECT_EQ(quit.count() + save.count() + file.count(), 0);
    EXPECT_TRUE(dialogs.messages().isEmpty());
    EXPECT_FALSE(platform::QuitRequested());
}

TEST_F(WindowTest, BeendenQuitsWithStatusZero)
{
    ui::Fenster1& w = openWindow();
    QTimer::singleShot(0, [&] { QTest::mouseClick(w.btn_quit(), Qt::LeftButton); });
    EXPECT_EQ(RunEventLoopAtMost(5000), 0);
}

}  // namespace
}  // namespace velmora::testing
