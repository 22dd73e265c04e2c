// The wait window on its real widgets: it closes when the poll says so, counts its seconds from
// zero on each showing, lists the persons ticked as they end their turns, and aborts on request.
#include <gtest/gtest.h>

#include <QLabel>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QStackedWidget>
#include <QTimer>

#include "net/block_bytes.h"
#include "net/headless_net_controls.h"
#include "support/fake_session.h"
#include "support/net_game.h"
#include "support/ui/gui_app.h"
#include "ui/net/multi_player_window.h"

namespace korvant {
namespace {

class MultiPlayerWindowTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    test::FakeNetwork network;
    test::FakeSession& session = network.Join("Player1");
    std::unique_ptr<Game> game = test::MakeNetGame(1);
    NetModel model;
    HeadlessNetControls controls;
    NetContext net{*game, session, model, controls};

    void SetUp() override {
        for (int s = 1; s <= 3; ++s) model.Add({PlayerId(s), "Player" + std::to_string(s), s != 1});
    }
    void Finish(PlayerId id) { model.Find(id)->turnFinished = true; }
    ChatPanes panes;
    TMultiPlayer window{*lang, *game, panes};
};

TEST_F(MultiPlayerWindowTest, TheClientsWaitEndsWhenTheServersDataArrives) {
    WaitPoll poll(net, WaitPage::ClientWait);
    QTimer::singleShot(50, [&] { model.turnResultReceived = true; });
    EXPECT_EQ(window.Wait(poll), WaitResult::Closed);
    EXPECT_EQ(window.Pages()->currentIndex(), 0);
    EXPECT_EQ(window.Counter(0)->text(), "0");
}

TEST_F(MultiPlayerWindowTest, TheOthersPageTicksThePersonsAsTheyEndTheirTurns) {
    WaitPoll poll(net, WaitPage::ServerWait);
    QTimer::singleShot(20, [&] {
        Finish(1);
        Finish(2);
    });
    // Once the list shows the first two ticked, the third ends his turn too.
    bool seen = false;
    QObject::connect(window.Persons()->model(), &QAbstractItemModel::dataChanged, [&] {
        QListWidget& list = *window.Persons();
        if (seen || list.count() != 3 || list.item(1)->checkState() != Qt::Checked) return;
        seen = true;
        EXPECT_EQ(list.item(0)->checkState(), Qt::Checked);
        Finish(3);
    });
    EXPECT_EQ(window.Wait(poll), WaitResult::Closed);
    EXPECT_TRUE(seen);
    EXPECT_EQ(window.Pages()->currentIndex(), 1);
}

TEST_F(MultiPlayerWindowTest, AbortingAsksAndEndsTheGameForEverybodyFromTheServer) {
    WaitPoll poll(net, WaitPage::ServerWait);
    QTimer::singleShot(20, [&] {
        QTimer::singleShot(20, [] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            box->button(QMessageBox::Yes)->click();
        });
        window.AbortButton()->click();
    });
    EXPECT_EQ(window.Wait(poll), WaitResult::Aborted);
    EXPECT_EQ(model.end, NetEnd::Aborted);
    EXPECT_EQ(KindOf(session.sent.back().block), int32_t(BlockKind::GameOver));
}

}  // namespace
}  // namespace korvant
