// The main window as the user meets it: its opening, its fixed layout, its
// keyboard behaviour, its menus, and the captions that must fit their boxes.
#include <QApplication>
#include <QMenu>
#include <QWheelEvent>

#include "bridge/zandor_messages.h"
#include "platform/event_loop.h"
#include "tests/support/bounded_event_loop.h"
#include "tests/ui/window_fixture.h"
#include "ui/control_builder.h"

namespace velmora::testing {
namespace {

TEST_F(WindowTest, OpeningFillsThePopUpOrExplainsWhyItCannot)
{
    const std::tuple<const char*, QStringList, std::string_view, bool> rows[] = {  // account script, rows, message, quits
        {"printf 'Girokonto, Sparbuch\\n'", {"Girokonto", "Sparbuch"}, "", false},
        {"exit 0", {}, zandor_not_ready, true},
        {"echo 'Zandor antwortet nicht' >&2; exit 3", {},
         "„Kontenliste von Zandor abfragen“ ist fehlgeschlagen.\n\nDas Skript »Kontennamen ermitteln.scpt« ist mit "
         "Status 3 beendet worden: Zandor antwortet nicht", false},
    };
    for (const auto& [script, popup, message, quits] : rows) {
        bundle.writeScript(kKontennamenScript, std::string("#!/bin/sh\n") + script);
        const QStringList before = dialogs.messages();
        window = std::make_unique<ui::Fenster1>(Menue());
        window->Open();
        QStringList shown;
        for (int i = 0; i < window->pop_konten()->count(); ++i)
            shown << window->pop_konten()->itemText(i);
        EXPECT_EQ(shown, popup) << script;
        EXPECT_EQ(window->pop_konten()->currentIndex(), popup.isEmpty() ? -1 : 0) << script;
        EXPECT_EQ(dialogs.messages().mid(before.size()).join("|").toStdString(), message) << script;
        ASSERT_EQ(platform::QuitRequested(), quits) << script;
        // After a quit the loop ends at once; without one it runs until its bound.
        EXPECT_EQ(RunEventLoopAtMost(quits ? 2000 : 20), quits ? 0 : 99) << script;
    }
}

TEST_F(WindowTest, LayoutIsFixedWithEveryCaptionWholeAndNoControlsOverlapping)
{
    ui::Fenster1& w = openWindow();
    const QWidget* content = w.centralWidget();
    EXPECT_EQ(content->size(), QSize(467, 327));
    EXPECT_EQ(w.minimumSize(), w.maximumSize());
    EXPECT_EQ(w.windowFlags() & (Qt::WindowMaximizeButtonHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
              Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint);
    const auto controls = content->findChildren<QWidget*>(Qt::FindDirectChildrenOnly);
    ASSERT_EQ(controls.size(), 11);
    for (const QWidget* control : controls) {
        const std::string name = control->objectName().toStdString();
        EXPECT_TRUE(content->rect().contains(control->geometry())) << name;
        const bool caption = qobject_cast<const QLabel*>(control) || qobject_cast<const QCheckBox*>(control);
        EXPECT_TRUE(!caption || control->sizeHint().width() <= control->width()) << name << ": caption cut off";
        for (const QWidget* other : controls)
            EXPECT_TRUE(other == control || !control->geometry().intersects(other->geometry())) << name;
    }
}

// The layout was drawn for a narrower font: a caption that would be cut off
// gets a smaller size, down to a floor; one that fits keeps its size.
TEST(Captions, ShrinkOnlyWhereTheyWouldBeCutOff)
{
    QWidget surface;
    const auto caption = [&](int width) {
        return ui::CreateControl(&surface, {ui::ControlKind::CheckBox, "c", 0, 0, width, 20,
                                            "Kategorien als Gegenkonto behandeln", {"", 12}, "", ui::TextAlignment::Left,
                                            false});
    };
    const int natural = caption(1000)->sizeHint().width();
    EXPECT_EQ(caption(1000)->font().pixelSize(), 12);
    EXPECT_EQ(caption(natural)->font().pixelSize(), 12);
    QWidget* narrower = caption(natural - 20);
    EXPECT_LT(narrower->font().pixelSize(), 12);
    EXPECT_LE(narrower->sizeHint().width(), natural - 20);
    EXPECT_EQ(caption(10)->font().pixelSize(), 9);
}

TEST_F(WindowTest, TabFollowsTheDeclaredOrderFromDateiAuswaehlenAndOnlyBeendenEndsTheProgram)
{
    ui::Fenster1& w = openWindow();
    EXPECT_EQ(w.focusWidget(), w.btn_datei());
    EXPECT_EQ(w.StaticText2()->buddy(), w.pop_konten());
    const QList<QWidget*> focusable{w.btn_quit(), w.btn_save(),  w.btn_datei(),  w.mit_kat(),
                                    w.monat_tag(), w.kat_konto(), w.pop_konten(), w.kat_gleich()};
    QList<QWidget*> visited{focusable.front()};
    for (QWidget* next = focusable.front()->nextInFocusChain(); next != focusable.front(); next = next->nextInFocusChain())
        if (next->focusPolicy() & Qt::TabFocus && next->parentWidget() == w.centralWidget())
            visited << next;
    EXPECT_EQ(visited, focusable);

    int pressed = 0;  // no button is a default or cancel button
    for (QPushButton* button : {w.btn_quit(), w.btn_save(), w.btn_datei()}) {
        QObject::connect(button, &QPushButton::clicked, [&] { ++pressed; });
        for (Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape})
            QTest::keyClick(button, key);
    }
    EXPECT_EQ(pressed, 0);
    QTimer::singleShot(0, [&] { QTest::mouseClick(w.btn_quit(), Qt::LeftButton); });
    EXPECT_EQ(RunEventLoopAtMost(5000), 0);
}

// Scrolling across the window never changes the account the next send books to.
TEST_F(WindowTest, TheWheelOverTheAccountPopUpLeavesTheAccountAndTheKeyboardChooses)
{
    QComboBox* popup = openWindow().pop_konten();
    for (const int turn : {-120, 120}) {
        QWheelEvent wheel(QPointF(10, 10), popup->mapToGlobal(QPointF(10, 10)), QPoint(), QPoint(0, turn), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QApplication::sendEvent(popup, &wheel);
        EXPECT_EQ(popup->currentText(), "Girokonto") << turn;
    }
    QTest::keyClick(popup, Qt::Key_Down);
    EXPECT_EQ(popup->currentText(), "Sparbuch");
}

// "Ablage: Beenden Ctrl+Q" for each menu that shows; "—" is a separator.
QStringList shownMenus(const QMenuBar& bar)
{
    QStringList menus;
    for (const QAction* menu : bar.actions()) {
        QStringList items;
        for (const QAction* item : menu->menu()->actions()) {
            if (item->isVisible())
                items << (item->isSeparator() ? "—" : (item->text() + " " + item->shortcut().toString()).trimmed());
        }
        if (menu->isVisible())
            menus << menu->text() + ": " + items.join(", ");
    }
    return menus;
}

// Ctrl+Q is ⌘Q on the Mac.
TEST_F(WindowTest, MenusShowAblageAndBearbeitenAndCtrlQQuitsWithStatusZero)
{
    ui::Fenster1& w = openWindow();
    EXPECT_EQ(shownMenus(*w.menuBar()),
              (QStringList{"Ablage: Beenden Ctrl+Q",
                           "Bearbeiten: Undo Ctrl+Z, —, Ausschneiden Ctrl+X, Kopieren Ctrl+C, Einfügen Ctrl+V, Löschen"}));
    ASSERT_TRUE(QTest::qWaitForWindowActive(&w));
    QTimer::singleShot(0, [&] { QTest::keyClick(&w, Qt::Key_Q, Qt::ControlModifier); });
    EXPECT_EQ(RunEventLoopAtMost(5000), 0);
}

// A long name keeps its start and its end, and no letter is cut in two.
TEST_F(WindowTest, AFileNameTooLongForItsLabelIsShortenedInTheMiddle)
{
    ui::Fenster1& w = openWindow();
    const QString name = "Kontoauszug Girokonto 2025 Januar bis Dezember mit allen Umsätzen äöü.qif";
    choose(bundle.file(name.toStdString(), "!Type:Bank\n"));
    const QLabel* label = w.StaticText3();
    const QString shown = label->text();
    EXPECT_TRUE(shown.startsWith("Kontoauszug") && shown.endsWith("äöü.qif") && shown.count(QChar(0x2026)) == 1)
        << shown.toStdString();
    EXPECT_LE(label->fontMetrics().horizontalAdvance(label->text()), label->width());
    EXPECT_EQ(label->toolTip(), name);
}

}  // namespace
}  // namespace velmora::testing
