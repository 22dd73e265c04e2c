// The lobby window on its real widgets: two computers in one process over a fake network that
// delivers from the event loop, from opening to the start of the game.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QEventLoop>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTextEdit>
#include <QTimer>
#include <functional>

#include "support/session/event_loop_delivery.h"
#include "support/ui/gui_app.h"
#include "ui/net/connect_window.h"

namespace korvant {
namespace {

class NoWaits final : public NetGameWindows {
public:
    WaitResult Wait(WaitPoll&) override { return WaitResult::Closed; }
    void Pause(std::chrono::milliseconds) override {}
};

// One computer: its game, session, lobby and lobby window; a started game is only counted.
struct Computer {
    Computer(TLanguageFile& lang, test::FakeNetwork& network)
        : session(network.NewSession()), window(lang, game), lobby(game, session, window, waits, window) {
        game.Ui = &ui;
        session.SetListener(&lobby);
        TConnect::Hooks hooks;
        hooks.play = [this] {
            ++started;
            if (onStart) onStart();
        };
        window.Attach(&lobby, hooks);
    }
    void Open(const std::string& name) {
        lobby.BeginOpening();
        session.Open(name);
        window.show();
    }
    Game game;
    HeadlessUi ui;
    test::FakeSession& session;
    NoWaits waits;
    TConnect window;
    Lobby lobby;
    int started = 0;
    std::function<void()> onStart;
};

// Runs the event loop until both computers started their game (their start timers see every
// entry ticked), or ten seconds pass.
bool BothStart(Computer& a, Computer& b) {
    QEventLoop loop;
    const auto check = [&] {
        if (a.started && b.started) loop.quit();
    };
    a.onStart = b.onStart = check;
    QTimer::singleShot(10000, &loop, &QEventLoop::quit);
    if (!(a.started && b.started)) loop.exec();
    return a.started == 1 && b.started == 1;
}

class ConnectWindowTest : public ::testing::Test, public gui_test::WindowsFixture {};

TEST_F(ConnectWindowTest, TwoComputersMeetChooseChatGetReadyAndStart) {
    test::FakeNetwork network;
    test::EventLoopDelivery delivery{network};
    Computer host(*lang, network), guest(*lang, network);
    host.Open("Anna");
    EXPECT_EQ(host.window.Notebook()->currentIndex(), 0);  // the server's page
    EXPECT_TRUE(host.window.ReadyBox()->isEnabled());
    EXPECT_FALSE(host.window.MapPicture().isNull());

    guest.Open("Boris");
    network.Deliver();
    EXPECT_TRUE(guest.window.ReadyBox()->isEnabled());  // the host's map came
    EXPECT_EQ(guest.window.Notebook()->currentIndex(), 1);
    EXPECT_EQ(host.window.PlayerList()->count(), 2);

    host.window.TurnSpin()->setValue(5);
    network.Deliver();
    EXPECT_EQ(guest.window.ClientTurnLabel()->text(), "5");
    EXPECT_EQ(guest.game.TurnMinutes, 5);

    guest.window.ChatInput()->setText("  Привет всем ");
    QTest::keyClick(guest.window.ChatInput(), Qt::Key_Return);
    EXPECT_EQ(guest.window.ChatInput()->text(), " ");
    network.Deliver();
    EXPECT_TRUE(host.window.ChatPane()->toPlainText().contains("Boris> Привет всем"));

    host.window.ReadyBox()->click();
    network.Deliver();
    EXPECT_EQ(guest.window.PlayerList()->item(0)->checkState(), Qt::Checked);
    guest.window.ReadyBox()->click();
    network.Deliver();
    ASSERT_TRUE(BothStart(host, guest));
    int persons = 0;
    for (int s = 1; s <= host.game.GosCount; ++s) persons += host.game.mGos[s].Human != 0 ? 1 : 0;
    EXPECT_EQ(persons, 2);
}

// A newcomer while a game runs: the client page offers "Вернуться в игру" only while a state
// waits for his name, and pressing it asks the game's server for it.
TEST_F(ConnectWindowTest, TheRejoinButtonShowsWhileAStateWaitsAndAsksForIt) {
    test::FakeNetwork network;
    test::EventLoopDelivery delivery{network};
    Computer host(*lang, network), guest(*lang, network);
    host.Open("Anna");
    guest.Open("Boris");
    network.Deliver();
    QPushButton* rejoin = guest.window.RejoinButton();
    EXPECT_FALSE(rejoin->isVisibleTo(&guest.window));
    EXPECT_EQ(rejoin->text().toStdString(), lang->Lookup(Msg::RejoinGame));

    NetModel& model = guest.lobby.Net().model;
    model.rejoin = RejoinOffer::Offered;
    model.serverId = host.session.LocalId();
    guest.window.ShowRejoinOffer();
    EXPECT_TRUE(rejoin->isVisibleTo(&guest.window));
    rejoin->click();
    EXPECT_EQ(model.rejoin, RejoinOffer::Asked);
    EXPECT_FALSE(rejoin->isVisibleTo(&guest.window));
    const QString told = QString::fromStdString(lang->Lookup(Msg::RejoinNextYear));
    EXPECT_TRUE(guest.window.ChatPane()->toPlainText().contains(told));
}

}  // namespace
}  // namespace korvant
