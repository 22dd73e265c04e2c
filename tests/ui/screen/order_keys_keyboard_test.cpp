// The order panels' "OK" and "MAX" work from the keyboard as they do with the mouse.
#include <gtest/gtest.h>

#include <QSignalSpy>
#include <QSlider>
#include <QTest>

#include "support/ui/gui_app.h"
#include "ui/screen/order_panel_widget.h"

namespace korvant {
namespace {

TEST(OrderKeys, TabReachesThemAndSpaceOrEnterWorksThem) {
    gui_test::TestApp();
    TOrderPanel panel(TOrderPanel::Max::Orders, false);
    panel.Reset(40);
    QSignalSpy ordered(&panel, &TOrderPanel::Ordered);
    for (TOrderKey* key : {panel.OkKey(), panel.MaxKey()}) EXPECT_TRUE(key->focusPolicy() & Qt::TabFocus);

    // "MAX" moves the bar when the key goes down and orders when it comes up, like the mouse button.
    QTest::keyPress(panel.MaxKey(), Qt::Key_Space);
    EXPECT_EQ(panel.Bar()->value(), 40);
    EXPECT_TRUE(panel.MaxKey()->Pressed());
    EXPECT_EQ(ordered.count(), 0);
    QTest::keyRelease(panel.MaxKey(), Qt::Key_Space);
    EXPECT_FALSE(panel.MaxKey()->Pressed());
    EXPECT_EQ(ordered.count(), 1);

    panel.SetAmount(7);
    QTest::keyClick(panel.OkKey(), Qt::Key_Return);
    EXPECT_EQ(ordered.count(), 2);
    EXPECT_EQ(panel.Amount(), 7);
    // Other keys do nothing to them.
    QTest::keyClick(panel.OkKey(), Qt::Key_A);
    EXPECT_EQ(ordered.count(), 2);
}

TEST(OrderKeys, TheMovingOnlyMaxOrdersNothing) {
    gui_test::TestApp();
    TOrderPanel panel(TOrderPanel::Max::MovesOnly, false);
    panel.Reset(12);
    QSignalSpy ordered(&panel, &TOrderPanel::Ordered);
    QTest::keyClick(panel.MaxKey(), Qt::Key_Enter);
    EXPECT_EQ(panel.Bar()->value(), 12);
    EXPECT_EQ(ordered.count(), 0);
}

}  // namespace
}  // namespace korvant
