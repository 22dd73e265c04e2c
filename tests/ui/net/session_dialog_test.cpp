// The connection dialog on its real widgets: what OK hands over and remembers, what it refuses,
// Cancel as the silent abort, and a search that happens only on the button, on loopback.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QCheckBox>
#include <QEventLoop>
#include <QFontMetrics>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>
#include <QTimer>

#include "session/session_discovery.h"
#include "session/tcp_session.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/net/session_dialog.h"

namespace korvant {
namespace {

class SessionDialogTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    // Presses `button` once the dialog has opened.
    std::optional<OpenRequest> AskAndPress(TSessionDialog& d, QPushButton* button) {
        test::ModalAnswerer answers;
        answers.Expect<TSessionDialog>([button](TSessionDialog& shown) {
            button->click();
            if (shown.isVisible()) shown.reject();  // the button left it open
        });
        return d.Ask();
    }
};

TEST_F(SessionDialogTest, OkHandsOverTheChoiceAndRemembersItCancelHandsOverNothing) {
    {
        TSessionDialog d(*lang);
        d.NameEdit()->setText("  Иван ");
        d.JoinButton()->setChecked(true);
        d.AddressEdit()->setText("127.0.0.1:5000");
        std::optional<OpenRequest> r = AskAndPress(d, d.OkButton());
        ASSERT_TRUE(r);
        EXPECT_FALSE(r->Create);
        EXPECT_EQ(r->Name, "Иван");
        EXPECT_EQ(r->Host, "127.0.0.1");
        EXPECT_EQ(r->Port, 5000);
    }
    TLanguageFile reread(dir / "korvant.ini", dir);
    TSessionDialog again(reread);
    EXPECT_EQ(again.NameEdit()->text(), "Иван");
    EXPECT_EQ(again.AddressEdit()->text(), "127.0.0.1:5000");
    QPushButton* cancel = again.findChildren<QPushButton*>().back();
    EXPECT_FALSE(AskAndPress(again, cancel));
}

// Through the internet server the join field names the session's creator; the LAN address is kept
// for the other way, and both ways are remembered.
TEST_F(SessionDialogTest, ThroughTheInternetServerHandsOverTheServerTheSessionAndThePassword) {
    {
        TSessionDialog d(*lang);
        d.NameEdit()->setText("Ivan");
        d.AddressEdit()->setText("127.0.0.1:5000");
        d.ThroughBrokerBox()->setChecked(true);
        EXPECT_EQ(d.AddressEdit()->text(), "");
        d.JoinButton()->setChecked(true);
        d.AddressEdit()->setText("Alice");
        d.BrokerEdit()->setText("ftp://club.example");
        EXPECT_FALSE(AskAndPress(d, d.OkButton()));
        EXPECT_EQ(d.Status()->text().toStdString(), lang->Lookup(Msg::SessionBadBroker));
        d.BrokerEdit()->setText("mqtts://club.example");
        d.PasswordEdit()->setText("pw");
        std::optional<OpenRequest> r = AskAndPress(d, d.OkButton());
        ASSERT_TRUE(r);
        EXPECT_TRUE(r->ThroughBroker);
        EXPECT_FALSE(r->Create);
        EXPECT_EQ(r->Broker, "mqtts://club.example");
        EXPECT_EQ(r->Session, "Alice");
        EXPECT_EQ(r->Password, "pw");
    }
    TLanguageFile reread(dir / "korvant.ini", dir);
    TSessionDialog again(reread);
    EXPECT_TRUE(again.ThroughBrokerBox()->isChecked());
    EXPECT_EQ(again.BrokerEdit()->text(), "mqtts://club.example");
    EXPECT_TRUE(again.PasswordEdit()->text().isEmpty());  // never written down
    again.ThroughBrokerBox()->setChecked(false);
    EXPECT_EQ(again.AddressEdit()->text(), "127.0.0.1:5000");
    EXPECT_FALSE(again.BrokerEdit()->isEnabled());
}

TEST_F(SessionDialogTest, IsWideEnoughForItsWholeTitle) {
    TSessionDialog d(*lang);
    QFont bold = d.font();
    bold.setBold(true);
    const QString title = d.windowTitle() + " — " + QGuiApplication::applicationDisplayName();
    EXPECT_GT(d.minimumWidth(), QFontMetrics(bold).horizontalAdvance(title));
    d.show();
    EXPECT_GE(d.width(), d.minimumWidth());
    d.hide();
}

TEST_F(SessionDialogTest, OkRefusesAnEmptyNameAndAnAddressThatIsNone) {
    TSessionDialog d(*lang);
    d.NameEdit()->setText("   ");
    EXPECT_FALSE(AskAndPress(d, d.OkButton()));
    EXPECT_FALSE(d.Status()->text().isEmpty());
    d.NameEdit()->setText("Ann");
    d.JoinButton()->setChecked(true);
    d.AddressEdit()->setText("host:99999");
    EXPECT_FALSE(AskAndPress(d, d.OkButton()));
    d.CreateButton()->setChecked(true);  // the address does not matter for a new session
    EXPECT_TRUE(AskAndPress(d, d.OkButton()));
}

TEST_F(SessionDialogTest, SearchesOnlyWhenAskedAndOnlyOnLoopback) {
    qputenv("KORVANT_DISCOVERY_ADDRESS", "127.255.255.255");
    ASSERT_EQ(DiscoveryAddress(), QHostAddress("127.255.255.255"));
    const std::uint16_t port = std::uint16_t(40000 + (getpid() + 7) % 20000);
    TcpSessionOptions o;
    o.ListenAddress = QHostAddress::LocalHost;
    o.ListenPort = 0;
    o.DiscoveryPort = port;
    TcpSession host(o);
    host.Create("Host");

    TSessionDialog d(*lang, nullptr, port);
    QEventLoop settle;
    QTimer::singleShot(300, &settle, &QEventLoop::quit);
    settle.exec();
    EXPECT_EQ(d.FoundList()->count(), 0);  // nothing searched by itself

    QSignalSpy rows(d.FoundList()->model(), &QAbstractItemModel::rowsInserted);
    d.SearchButton()->click();
    ASSERT_TRUE(rows.wait(5000)) << d.Status()->text().toStdString();
    d.FoundList()->setCurrentRow(0);
    EXPECT_TRUE(d.JoinButton()->isChecked());
    EXPECT_EQ(d.AddressEdit()->text(), "127.0.0.1:" + QString::number(host.ListenPort()));
}

}  // namespace
}  // namespace korvant
