// A join that the session refuses, through the game's own windows: the connection dialog, the
// lobby, and the message box that says why. Runs under the sanitizers too: the refusal must not
// free the connection under the code that reads it.
#include <gtest/gtest.h>

#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTcpServer>
#include <QTcpSocket>
#include <optional>

#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/app/window_ui_qt.h"
#include "ui/net/network_game.h"
#include "wire/handshake.h"

namespace korvant {
namespace {

// Answers every knock with the given refusal.
class Refuser {
public:
    explicit Refuser(wire::Verdict verdict) {
        server_.listen(QHostAddress::LocalHost, 0);
        QObject::connect(&server_, &QTcpServer::newConnection, [this, verdict] {
            while (QTcpSocket* s = server_.nextPendingConnection()) {
                QObject::connect(s, &QTcpSocket::readyRead, s, [s, verdict] {
                    s->readAll();
                    wire::Welcome w;
                    w.Answer = verdict;
                    const std::vector<std::uint8_t> frame =
                        wire::EncodeFrame(wire::FrameKind::Welcome, wire::EncodeWelcome(w));
                    s->write(reinterpret_cast<const char*>(frame.data()), qint64(frame.size()));
                });
            }
        });
    }
    std::uint16_t Port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
};

// A port on which nobody listens.
std::uint16_t FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();
}

class RefusedJoinTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    // Joins at `port` through the connection dialog and returns what the message boxes said.
    QStringList JoinAt(std::uint16_t port) {
        test::ModalAnswerer answers;
        answers.Expect<TSessionDialog>([port](TSessionDialog& d) {
            d.NameEdit()->setText("Boris");
            d.JoinButton()->click();
            d.AddressEdit()->setText("127.0.0.1:" + QString::number(port));
            d.OkButton()->click();
        });
        answers.Every<TConnect>([](TConnect&) {});  // the lobby waits for the answer, then closes
        answers.Boxes({QMessageBox::Ok});
        app->NetworkWindows().Run();
        return answers.boxTexts;
    }
};

TEST_F(RefusedJoinTest, TheLobbySaysWhyTheJoinWasRefusedAndCloses) {
    Refuser full(wire::Verdict::Full), other(wire::Verdict::OtherVersion);
    const auto says = [&](Msg id) { return QStringList{ShownText(lang->Lookup(id))}; };
    EXPECT_EQ(JoinAt(full.Port()), says(Msg::SessionFull));
    EXPECT_EQ(JoinAt(other.Port()), says(Msg::SessionOfOtherVersion));
    EXPECT_EQ(JoinAt(FreePort()), says(Msg::NobodyAnswers));
    EXPECT_FALSE(app->NetworkWindows().Connect().isVisible());
}

}  // namespace
}  // namespace korvant
