// One of two processes meeting in a session over TCP on loopback.
//   korvant_session_peer create   creates, prints "port N", greets the joiner, waits for his greeting and his leave
//   korvant_session_peer join     reads "port N" from standard input, joins, greets the creator, waits for his
//   greeting, leaves
// Exit code 0 when all of that happened within 20 seconds.
#include <QCoreApplication>
#include <QHostAddress>
#include <QTimer>
#include <cstdio>
#include <iostream>
#include <string>

#include "session/tcp_session.h"

namespace korvant {
namespace {

std::vector<std::uint8_t> Text(std::string_view s) { return {s.begin(), s.end()}; }

class PeerRun final : public SessionListener {
public:
    PeerRun(TcpSession& s, bool creator) : s_(s), creator_(creator) {}

    void OnOpenFailed(OpenError e) override { Fail(std::string(OpenErrorText(e))); }
    void OnOpen() override {
        if (!creator_ && s_.Players().size() == 2) s_.Send(s_.Players()[0].Id, Text(JoinerGreeting));
    }
    void OnAddPlayer(const SessionPlayer& p) override {
        if (creator_ && p.Remote) s_.Send(p.Id, Text(CreatorGreeting));
    }
    void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
        std::string got(b.begin(), b.end());
        if (got != (creator_ ? JoinerGreeting : CreatorGreeting) || from == s_.LocalId())
            return Fail("unexpected block " + got);
        greeted_ = true;
        if (!creator_) {
            s_.Close();
            QCoreApplication::exit(0);
        }
    }
    void OnDeletePlayer(const SessionPlayer&) override {
        if (creator_ && greeted_)
            QCoreApplication::exit(0);
        else
            Fail("the other player left before greeting");
    }
    void OnSessionLost() override { Fail("session lost"); }
    static void Fail(const std::string& why) {
        std::cerr << "korvant_session_peer: " << why << "\n";
        QCoreApplication::exit(1);
    }

private:
    static constexpr std::string_view CreatorGreeting = "hello from the creator";
    static constexpr std::string_view JoinerGreeting = "hello from the joiner";
    TcpSession& s_;
    bool creator_;
    bool greeted_ = false;
};

}  // namespace
}  // namespace korvant

int main(int argc, char** argv) {
    using namespace korvant;
    QCoreApplication app(argc, argv);
    std::string role = argc > 1 ? argv[1] : "";
    if (role != "create" && role != "join") {
        std::cerr << "usage: korvant_session_peer create|join\n";
        return 2;
    }
    TcpSessionOptions o;
    o.ListenAddress = QHostAddress::LocalHost;
    o.ListenPort = 0;
    o.DiscoveryPort = 0;
    TcpSession session(o);
    PeerRun run(session, role == "create");
    session.SetListener(&run);
    QTimer::singleShot(20000, [] { PeerRun::Fail("timed out"); });
    if (role == "create") {
        session.Create("creator");
        std::printf("port %u\n", unsigned(session.ListenPort()));
        std::fflush(stdout);
    } else {
        std::string word;
        unsigned port = 0;
        if (!(std::cin >> word >> port) || word != "port" || port == 0 || port > 65535) {
            std::cerr << "korvant_session_peer: no port from the creator\n";
            return 1;
        }
        session.Join("joiner", "127.0.0.1", std::uint16_t(port));
    }
    return app.exec();
}
