#pragma once
// Sessions on loopback for the tests: a listener that records every event, waits that end on the
// awaited event or a timeout, and a raw TCP peer that speaks the wire format by hand.
#include <QEventLoop>
#include <QTcpSocket>
#include <QTimer>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/frame_reader.h"
#include "session/handshake.h"
#include "session/tcp_session.h"

namespace korvant::test {

// Every recorder's event pulses this, so a wait re-checks its condition on each event.
class EventPulse : public QObject {
    Q_OBJECT
public:
    static EventPulse& Get();
signals:
    void Happened();
};

// Runs the event loop until `done` holds or `ms` pass; true when it holds.
bool WaitFor(const std::function<bool()>& done, int ms = 10000);

struct Recorder : SessionListener {
    bool Opened = false;
    std::optional<OpenError> Failed;
    bool Lost = false;
    std::vector<PlayerId> Added, Deleted;
    std::vector<std::pair<PlayerId, std::vector<std::uint8_t>>> Messages;

    void OnOpen() override { Opened = true, Pulse(); }
    void OnOpenFailed(OpenError e) override { Failed = e, Pulse(); }
    void OnAddPlayer(const SessionPlayer& p) override { Added.push_back(p.Id), Pulse(); }
    void OnDeletePlayer(const SessionPlayer& p) override { Deleted.push_back(p.Id), Pulse(); }
    void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
        Messages.emplace_back(from, std::vector<std::uint8_t>(b.begin(), b.end()));
        Pulse();
    }
    void OnSessionLost() override { Lost = true, Pulse(); }
    static void Pulse() { emit EventPulse::Get().Happened(); }
};

struct Peer {
    std::unique_ptr<TcpSession> Session;
    Recorder Events;
    PlayerId Id() const { return Session->LocalId(); }
};

// Loopback only, no discovery, optionally short limits.
TcpSessionOptions LoopbackOptions(int silenceMs = 10000, int handshakeMs = 5000);

// Creates, or joins at `port`, and waits for the open; the peer keeps its failure otherwise.
std::unique_ptr<Peer> Create(const std::string& name, TcpSessionOptions o = LoopbackOptions());
std::unique_ptr<Peer> Join(const std::string& name, std::uint16_t port, TcpSessionOptions o = LoopbackOptions());

// Ids of a session's players in its order.
std::vector<PlayerId> RosterIds(const Session& s);

// A peer written by hand: knocks with a Hello of its choosing and sends whatever bytes it likes.
class RawPeer {
public:
    explicit RawPeer(std::uint16_t port);
    bool Connected() const { return socket_.state() == QAbstractSocket::ConnectedState; }
    void Send(const std::vector<std::uint8_t>& bytes);
    void SendHello(wire::Hello h);
    // The next frame, or nothing when none came in `ms`.
    std::optional<wire::Frame> NextFrame(int ms = 5000);
    bool WaitClosed(int ms = 5000);

    wire::Hello Hello{{}, wire::Intent::Join, 0x5EED0001u, 1, "raw"};

private:
    QTcpSocket socket_;
    wire::FrameReader reader_;
};

}  // namespace korvant::test
