// Finding a session by broadcast, kept on loopback: the search goes only to the address the
// environment gives (127.255.255.255 in every test run), and only when asked.
#include <gtest/gtest.h>

#include <unistd.h>
#include <QSignalSpy>
#include <QUdpSocket>
#include <algorithm>

#include "session/session_discovery.h"
#include "support/session/session_test_support.h"
#include "wire/discovery_messages.h"

namespace korvant::test {
namespace {

// A discovery port of this test process's own, so parallel runs do not answer each other.
std::uint16_t TestDiscoveryPort() { return std::uint16_t(40000 + getpid() % 20000); }

TEST(Discovery, FindsASessionOnTheLoopbackBroadcastAndSendsNowhereElse) {
    const QHostAddress target = DiscoveryAddress();
    ASSERT_EQ(target, QHostAddress("127.255.255.255"))
        << "the tests must run with KORVANT_DISCOVERY_ADDRESS=127.255.255.255, so no search leaves this computer";
    TcpSessionOptions o = LoopbackOptions();
    o.DiscoveryPort = TestDiscoveryPort();
    auto a = Create("Host", o);
    auto b = Join("Guest", a->Session->ListenPort(), o);  // not admitting: stays quiet
    // A second session on this computer answers too, under a name of the longest a text holds.
    const std::string longest = "Второй" + std::string(255 - std::string("Второй").size(), '.');
    auto c = Create(longest, o);
    QTcpServer silent;  // a computer still knocking here has no session to offer
    ASSERT_TRUE(silent.listen(QHostAddress::LocalHost, 0));
    TcpSession joining(o);
    joining.Join("Joining", "127.0.0.1", silent.serverPort());

    SessionSearch search(o.DiscoveryPort);
    QSignalSpy found(&search, &SessionSearch::Found);
    ASSERT_TRUE(search.Search());
    EXPECT_EQ(search.Target(), target);
    ASSERT_TRUE(found.wait(5000)) << "no answer on 127.255.255.255: this machine does not deliver loopback "
                                     "broadcasts to a socket bound to the any-address";
    while (found.size() < 2 && found.wait(5000)) {
    }
    found.wait(300);
    ASSERT_EQ(found.size(), 2);
    std::vector<FoundSession> sessions{found[0][0].value<FoundSession>(), found[1][0].value<FoundSession>()};
    std::ranges::sort(sessions, {}, &FoundSession::Name);
    EXPECT_EQ(sessions[0].Address, QHostAddress(QHostAddress::LocalHost));  // where the answer came from
    EXPECT_EQ(sessions[0].Port, a->Session->ListenPort());
    EXPECT_EQ(sessions[0].Players, 2);
    EXPECT_EQ(sessions[0].Name, "Host");
    EXPECT_EQ(sessions[1].Port, c->Session->ListenPort());
    EXPECT_EQ(sessions[1].Players, 1);
    EXPECT_EQ(sessions[1].Name, QString::fromStdString(longest));
    // The dialog's refresh searches again with the same search.
    found.clear();
    ASSERT_TRUE(search.Search());
    EXPECT_TRUE(found.wait(5000));
}

// Only a search of this game and version is answered, and only to its searcher.
TEST(Discovery, OnlyASearchOfThisGameIsAnswered) {
    TcpSessionOptions o = LoopbackOptions();
    o.DiscoveryPort = TestDiscoveryPort();
    auto a = Create("Host", o);
    QUdpSocket stranger, searcher;
    ASSERT_TRUE(stranger.bind(QHostAddress::LocalHost, 0) && searcher.bind(QHostAddress::LocalHost, 0));
    const auto send = [&](QUdpSocket& from, const std::vector<std::uint8_t>& bytes) {
        from.writeDatagram(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()), QHostAddress::LocalHost,
                           o.DiscoveryPort);
    };
    wire::Identity newer = o.Who;
    newer.Version += 1;
    send(stranger, {1, 2, 3, 4});
    send(stranger, wire::EncodeSearch(newer));
    QSignalSpy answered(&searcher, &QUdpSocket::readyRead);
    send(searcher, wire::EncodeSearch(o.Who));  // answered after the stranger's datagrams were read
    ASSERT_TRUE(answered.wait(5000));
    EXPECT_FALSE(stranger.hasPendingDatagrams());
}

TEST(Discovery, TheAddressIsTheBroadcastUnlessSetAndAnUnreadableOneSendsNothing) {
    QByteArray kept = qgetenv("KORVANT_DISCOVERY_ADDRESS");
    // Unset, searches go to the local network's broadcast (only looked at here, nothing is sent).
    qunsetenv("KORVANT_DISCOVERY_ADDRESS");
    EXPECT_EQ(DiscoveryAddress(), QHostAddress(QHostAddress::Broadcast));
    qputenv("KORVANT_DISCOVERY_ADDRESS", "::1");  // searches go by IPv4 only
    EXPECT_TRUE(DiscoveryAddress().isNull());
    qputenv("KORVANT_DISCOVERY_ADDRESS", "not-an-address");
    SessionSearch search(TestDiscoveryPort());
    EXPECT_FALSE(search.Search());
    EXPECT_TRUE(search.Target().isNull());
    qputenv("KORVANT_DISCOVERY_ADDRESS", kept);
}

}  // namespace
}  // namespace korvant::test
