#include "support/session/session_test_support.h"

#include <QHostAddress>

namespace korvant::test {

EventPulse& EventPulse::Get() {
    static EventPulse pulse;
    return pulse;
}

bool WaitFor(const std::function<bool()>& done, int ms) {
    if (done()) return true;
    QEventLoop loop;
    QTimer timeout;
    timeout.setSingleShot(true);
    QObject::connect(&timeout, &QTimer::timeout, &loop, &QEventLoop::quit);
    QObject::connect(&EventPulse::Get(), &EventPulse::Happened, &loop, [&] {
        if (done()) loop.quit();
    });
    timeout.start(ms);
    loop.exec();
    return done();
}

TcpSessionOptions LoopbackOptions(int silenceMs, int handshakeMs) {
    TcpSessionOptions o;
    o.ListenAddress = QHostAddress::LocalHost;
    o.ListenPort = 0;
    o.DiscoveryPort = 0;
    o.SilenceLimit = std::chrono::milliseconds(silenceMs);
    o.HandshakeTimeout = std::chrono::milliseconds(handshakeMs);
    return o;
}

std::unique_ptr<Peer> Create(const std::string& name, TcpSessionOptions o) {
    auto p = std::make_unique<Peer>();
    p->Session = std::make_unique<TcpSession>(o);
    p->Session->SetListener(&p->Events);
    p->Session->Create(name);
    return p;
}

std::unique_ptr<Peer> Join(const std::string& name, std::uint16_t port, TcpSessionOptions o) {
    auto p = std::make_unique<Peer>();
    p->Session = std::make_unique<TcpSession>(o);
    p->Session->SetListener(&p->Events);
    p->Session->Join(name, "127.0.0.1", port);
    WaitFor([&] { return p->Events.Opened || p->Events.Failed; });
    return p;
}

void Drain() {
    QEventLoop loop;
    QMetaObject::invokeMethod(&loop, &QEventLoop::quit, Qt::QueuedConnection);
    loop.exec();
}

void ModalRecorder::Modal(bool on) {
    if (on) Drain();
}

std::uint16_t FreePort() {
    QTcpServer probe;
    probe.listen(QHostAddress::LocalHost, 0);
    return probe.serverPort();  // closed again when the probe goes
}

std::vector<PlayerId> RosterIds(const Session& s) {
    std::vector<PlayerId> ids;
    for (const SessionPlayer& p : s.Players()) ids.push_back(p.Id);
    return ids;
}

RawPeer::RawPeer(std::uint16_t port) {
    QObject::connect(&socket_, &QTcpSocket::readyRead, [] { Recorder::Pulse(); });
    QObject::connect(&socket_, &QTcpSocket::stateChanged, [] { Recorder::Pulse(); });
    socket_.connectToHost(QHostAddress::LocalHost, port);
    WaitFor([&] { return Connected(); }, 5000);
}

void RawPeer::Send(const std::vector<std::uint8_t>& bytes) {
    socket_.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size()));
    socket_.flush();
}

void RawPeer::SendHello(wire::Hello h) { Send(wire::EncodeFrame(wire::FrameKind::Hello, wire::EncodeHello(h))); }

std::optional<wire::Frame> RawPeer::NextFrame(int ms) {
    std::optional<wire::Frame> f;
    WaitFor(
        [&] {
            if (f) return true;
            QByteArray a = socket_.readAll();
            reader_.Append({reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())});
            f = reader_.Next();
            return f.has_value();
        },
        ms);
    return f;
}

bool RawPeer::JoinAs(wire::Hello h) {
    SendHello(std::move(h));
    std::optional<wire::Frame> answer = NextFrame();
    if (!answer || answer->Kind != wire::FrameKind::Welcome) return false;
    std::optional<wire::Welcome> w = wire::ParseWelcome(answer->Body, {});
    return w && w->Answer == wire::Verdict::Accepted;
}

void RawPeer::SendHeader(std::uint32_t length, wire::FrameKind kind) {
    std::vector<std::uint8_t> header;
    for (int i = 0; i < 4; ++i) header.push_back(std::uint8_t(length >> (8 * i)));
    header.push_back(std::uint8_t(kind));
    Send(header);
}

bool RawPeer::WaitClosed(int ms) {
    return WaitFor([&] { return socket_.state() == QAbstractSocket::UnconnectedState; }, ms);
}

RefusingServer::RefusingServer(wire::Verdict verdict, wire::Identity who)
    : RefusingServer([&] {
          wire::Welcome w;
          w.Who = who;
          w.Answer = verdict;
          return w;
      }()) {}

RefusingServer::RefusingServer(wire::Welcome answer)
    : RefusingServer(wire::EncodeFrame(wire::FrameKind::Welcome, wire::EncodeWelcome(answer))) {}

RefusingServer::RefusingServer(std::vector<std::uint8_t> frame) {
    server_.listen(QHostAddress::LocalHost, 0);
    QObject::connect(&server_, &QTcpServer::newConnection, [this, frame] {
        while (QTcpSocket* s = server_.nextPendingConnection()) {
            QObject::connect(s, &QTcpSocket::readyRead, s, [s, frame] {
                s->readAll();
                s->write(reinterpret_cast<const char*>(frame.data()), qint64(frame.size()));
            });
        }
    });
}

}  // namespace korvant::test
