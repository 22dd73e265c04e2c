// The command screen played from the keyboard alone: tabs, the order keys, the menu letters in
// either keyboard layout; and its tab captions whole after the language changes.
#include <gtest/gtest.h>

#include <QApplication>
#include <QPushButton>
#include <QSlider>
#include <QTabBar>
#include <QTabWidget>
#include <QTest>

#include <set>

#include "support/ui/command_screen.h"
#include "ui/screen/economy_tab_widget.h"
#include "ui/screen/order_panel_widget.h"

namespace korvant {
namespace {

class CommandKeyboardTest : public gui_test::CommandScreenFixture {
protected:
    void Open() {
        main().Activate();
        main().show();
        main().activateWindow();
        ASSERT_TRUE(QTest::qWaitForWindowActive(&main()));
    }
    int Tab() const { return app->Main().Pages()->currentIndex(); }
    // Presses `key` where the focus is, as the keyboard does.
    void Press(int key, Qt::KeyboardModifiers mods = Qt::NoModifier) {
        QWidget* target = QApplication::focusWidget() ? QApplication::focusWidget() : &main();
        QTest::keyClick(target, Qt::Key(key), mods);
    }
};

TEST_F(CommandKeyboardTest, CtrlTabCtrlPageDownAndTheArrowsChangeTheTab) {
    Open();
    // The tab bar has the focus from the start: the arrows step through the tabs.
    Press(Qt::Key_Right);
    EXPECT_EQ(Tab(), TMain::EconomyTab);
    Press(Qt::Key_Left);
    EXPECT_EQ(Tab(), TMain::InformationTab);
    // From a slider, which would take PgDn for itself.
    main().Pages()->setCurrentIndex(TMain::EconomyTab);
    main().Economy()->Panel(TEconomyTab::SowOrder)->Bar()->setFocus();
    Press(Qt::Key_PageDown, Qt::ControlModifier);
    EXPECT_EQ(Tab(), TMain::ScienceTab);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Tab(), TMain::BorderTab);
    Press(Qt::Key_PageUp, Qt::ControlModifier);
    EXPECT_EQ(Tab(), TMain::ScienceTab);
    // A local game has no chat tab: after the generals comes the information again.
    main().Pages()->setCurrentIndex(TMain::GeneralsTab);
    Press(Qt::Key_Tab, Qt::ControlModifier);
    EXPECT_EQ(Tab(), TMain::InformationTab);
    Press(Qt::Key_Backtab, Qt::ControlModifier | Qt::ShiftModifier);
    EXPECT_EQ(Tab(), TMain::GeneralsTab);
}

TEST_F(CommandKeyboardTest, TabReachesEveryOkAndMaxAndSpaceSows) {
    Open();
    main().Pages()->setCurrentIndex(TMain::EconomyTab);
    main().Pages()->tabBar()->setFocus();
    std::set<QWidget*> reached;
    for (int i = 0; i < 80; ++i) {
        Press(Qt::Key_Tab);
        reached.insert(QApplication::focusWidget());
    }
    for (int o = 0; o < TEconomyTab::OrderCount; ++o) {
        TOrderPanel* p = main().Economy()->Panel(TEconomyTab::Order(o));
        EXPECT_TRUE(reached.count(p->OkKey())) << o;
        EXPECT_TRUE(reached.count(p->MaxKey())) << o;
    }
    // Sowing everything from the keyboard: to "MAX" of the sowing panel and Space.
    TOrderPanel* sow = main().Economy()->Panel(TEconomyTab::SowOrder);
    ASSERT_GT(sow->Maximum(), 0);
    const int sown = app->TheGame().mGos[1].Sown;
    for (int i = 0; i < 80 && QApplication::focusWidget() != sow->MaxKey(); ++i) Press(Qt::Key_Tab);
    ASSERT_EQ(QApplication::focusWidget(), sow->MaxKey());
    const int most = sow->Maximum();
    Press(Qt::Key_Space);
    EXPECT_EQ(app->TheGame().mGos[1].Sown, sown + most);
    EXPECT_TRUE(main().NextButton()->isEnabled());
}

TEST_F(CommandKeyboardTest, MenuLettersWorkInTheLatinLayoutToo) {
    Open();
    const QString next = main().NextButton()->text();
    ASSERT_TRUE(next.contains(QString::fromUtf8("&х")));
    main().NextButton()->setEnabled(true);
    // Alt and the key of "х" in the Latin layout, "[": the turn ends.
    Press(Qt::Key_BracketLeft, Qt::AltModifier);
    QTRY_VERIFY(!main().isVisible());
    EXPECT_EQ(main().TurnResult(), ModalResult::EndTurn);
}

TEST_F(CommandKeyboardTest, TabCaptionsStayWholeAfterTwoLanguageSwitches) {
    auto whole = [this](const char* when) {
        main().Activate();
        main().resize(1200, 800);  // one size throughout: no resizing lays the tabs out by chance
        main().show();
        QApplication::processEvents();
        QTabBar* bar = main().Pages()->tabBar();
        for (int i = 0; i < bar->count(); ++i) {
            if (!bar->isTabVisible(i)) continue;
            QString text = bar->tabText(i);
            text.remove('&');
            const int needed = bar->fontMetrics().horizontalAdvance(text);
            EXPECT_GT(bar->tabRect(i).width(), needed) << when << " " << text.toStdString();
        }
        main().hide();
    };
    // Each language shown twice, as a person switching back and forth sees it.
    whole("at the start");
    for (int round = 0; round < 2; ++round) {
        ASSERT_TRUE(lang->SelectLanguage(1));
        app->RetextAll();
        whole("in English");
        ASSERT_TRUE(lang->SelectLanguage(0));
        app->RetextAll();
        whole("in Russian again");
    }
}

}  // namespace
}  // namespace korvant
