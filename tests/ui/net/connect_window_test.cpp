// The lobby window on its real widgets: two computers in one process over loopback sessions,
// from opening to the start of the game.
#include <gtest/gtest.h>

#include <QCheckBox>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSpinBox>
#include <QStackedWidget>
#include <QTest>
#include <QTextEdit>
#include <functional>

#include "session/loopback_session.h"
#include "ui/gui_app.h"
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
    Computer(TLanguageFile& lang, LoopbackHub& hub) : session(hub), window(lang, game), lobby(game, session, window, waits, window) {
        game.Ui = &ui;
        session.SetListener(&lobby);
        window.Attach(&lobby, {.play = [this](bool) { ++started; }});
    }
    void Open(const std::string& name) {
        lobby.BeginOpening();
        session.Open(name);
        window.show();
    }
    Game game;
    HeadlessUi ui;
    LoopbackSession session;
    NoWaits waits;
    TConnect window;
    Lobby lobby;
    int started = 0;
};

bool WaitUntil(const std::function<bool()>& done) {
    QElapsedTimer clock;
    clock.start();
    while (!done() && clock.elapsed() < 10000) QTest::qWait(10);
    return done();
}

class ConnectWindowTest : public ::testing::Test, public gui_test::WindowsFixture {};

TEST_F(ConnectWindowTest, TwoComputersMeetChooseChatGetReadyAndStart) {
    LoopbackHub hub;
    Computer host(*lang, hub), guest(*lang, hub);
    host.Open("Anna");
    EXPECT_EQ(host.window.Notebook()->currentIndex(), 0);  // the server's page
    EXPECT_TRUE(host.window.ReadyBox()->isEnabled());
    EXPECT_FALSE(host.window.MapPicture().isNull());

    guest.Open("Boris");
    ASSERT_TRUE(WaitUntil([&] { return guest.window.ReadyBox()->isEnabled(); }));  // the host's map came
    EXPECT_EQ(guest.window.Notebook()->currentIndex(), 1);
    ASSERT_TRUE(WaitUntil([&] { return host.window.PlayerList()->count() == 2; }));

    host.window.TurnSpin()->setValue(5);
    ASSERT_TRUE(WaitUntil([&] { return guest.window.ClientTurnLabel()->text() == "5"; }));
    EXPECT_EQ(guest.game.TurnMinutes, 5);

    guest.window.ChatInput()->setText("  Привет всем ");
    QTest::keyClick(guest.window.ChatInput(), Qt::Key_Return);
    EXPECT_EQ(guest.window.ChatInput()->text(), " ");
    ASSERT_TRUE(WaitUntil([&] { return host.window.ChatPane()->toPlainText().contains("Boris> Привет всем"); }));

    host.window.ReadyBox()->click();
    ASSERT_TRUE(WaitUntil([&] { return guest.window.PlayerList()->item(0)->checkState() == Qt::Checked; }));
    EXPECT_EQ(host.started + guest.started, 0);
    guest.window.ReadyBox()->click();
    ASSERT_TRUE(WaitUntil([&] { return host.started == 1 && guest.started == 1; }));
    int persons = 0;
    for (int s = 1; s <= host.game.GosCount; ++s) persons += host.game.mGos[s].Human != 0 ? 1 : 0;
    EXPECT_EQ(persons, 2);
}

}  // namespace
}  // namespace korvant
