// A window shown again and again comes back where it was, not where the dialog's own placement
// puts it on each showing.
#include <gtest/gtest.h>

#include <QDialog>
#include <QWidget>

#include "support/ui/gui_app.h"
#include "ui/app/window_place.h"

namespace korvant {
namespace {

TEST(WindowPlace, AKeptWindowReopensWhereThePersonLeftIt) {
    gui_test::TestApp();
    QWidget owner;
    owner.setGeometry(100, 100, 600, 400);
    owner.show();
    QDialog dialog(&owner);
    dialog.resize(200, 100);
    KeepPlace(dialog);
    dialog.show();
    // Dragged by the person: the window manager moves it, which Qt does not take as the program's move.
    dialog.move(341, 27);
    dialog.setAttribute(Qt::WA_Moved, false);
    const QPoint left = dialog.pos();
    dialog.hide();
    owner.move(160, 130);  // the owner moving does not carry the dialog along
    for (int showing = 0; showing < 3; ++showing) {
        dialog.show();
        EXPECT_EQ(dialog.pos(), left) << showing;
        dialog.hide();
    }
}

}  // namespace
}  // namespace korvant
