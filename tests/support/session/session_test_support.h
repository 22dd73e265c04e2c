#pragma once
// Sessions on loopback for the tests: a listener that records every event, waits that end on the
// awaited event or a timeout, and a raw TCP peer that speaks the wire format by hand.
#include <QEventLoop>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "session/tcp_session.h"
#include "wire/frame_reader.h"
#include "wire/handshake.h"

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

// Runs what the event loop already holds (queued events included), then returns.
void Drain();

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

// A listener that, like a message box, runs a nested event loop inside the chosen events: whatever
// the session queued meanwhile (its own clean-up included) runs under the listener's call.
struct ModalRecorder : Recorder {
    bool InOpenFailed = false, InDeletePlayer = false, InMessage = false, InSessionLost = false;
    // Called inside OnMessage before the nested loop, e.g. to close the session as a game over would.
    std::function<void()> OnMessageDo;

    void OnOpenFailed(OpenError e) override { Recorder::OnOpenFailed(e), Modal(InOpenFailed); }
    void OnDeletePlayer(const SessionPlayer& p) override { Recorder::OnDeletePlayer(p), Modal(InDeletePlayer); }
    void OnMessage(PlayerId from, std::span<const std::uint8_t> b) override {
        Recorder::OnMessage(from, b);
        if (InMessage && OnMessageDo) OnMessageDo();
        Modal(InMessage);
    }
    void OnSessionLost() override { Recorder::OnSessionLost(), Modal(InSessionLost); }
    // Every event already posted runs, then the box closes.
    static void Modal(bool on);
};

struct Peer {
    std::unique_ptr<TcpSession> Session;
    Recorder Events;
    PlayerId Id() const { return Session->LocalId(); }
};

// Every block sent so far has come once each peer heard a last block from every other: one
// sender's blocks keep their order. The last blocks are then forgotten.
template <typename PeerT>
bool Settle(const std::vector<std::unique_ptr<PeerT>>& peers) {
    const std::vector<std::uint8_t> last(8, 0xEE);
    const bool listed = WaitFor([&] {
        return std::ranges::all_of(peers, [&](const auto& p) { return p->Session->Players().size() == peers.size(); });
    });
    for (const auto& p : peers) p->Session->Send(ToAllOthers, last);
    const auto heardAll = [&](const Recorder& r) {
        return std::size_t(std::ranges::count(r.Messages, last, [](const auto& m) { return m.second; })) ==
               peers.size() - 1;
    };
    const bool settled =
        WaitFor([&] { return std::ranges::all_of(peers, [&](const auto& p) { return heardAll(p->Events); }); });
    for (const auto& p : peers) std::erase_if(p->Events.Messages, [&](const auto& m) { return m.second == last; });
    return listed && settled;
}

// Loopback only, no discovery, optionally short limits.
TcpSessionOptions LoopbackOptions(int silenceMs = 10000, int handshakeMs = 5000);

// Creates, or joins at `port`, and waits for the open; the peer keeps its failure otherwise.
std::unique_ptr<Peer> Create(const std::string& name, TcpSessionOptions o = LoopbackOptions());
std::unique_ptr<Peer> Join(const std::string& name, std::uint16_t port, TcpSessionOptions o = LoopbackOptions());

// A port on loopback where nobody listens.
std::uint16_t FreePort();

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

    // Knocks with Hello and waits for the answer; true when admitted.
    bool JoinAs(wire::Hello h);
    // Sends a frame header announcing `length` bytes of `kind`, without the body.
    void SendHeader(std::uint32_t length, wire::FrameKind kind);

    wire::Hello Hello{{}, wire::Intent::Join, 0x5EED0001u, 1, "raw"};

private:
    QTcpSocket socket_;
    wire::FrameReader reader_;
};

// A computer that answers every knock with one refusal, as a full session or another version would,
// or with a welcome of the test's making.
class RefusingServer {
public:
    RefusingServer(wire::Verdict verdict, wire::Identity who = {});
    explicit RefusingServer(wire::Welcome answer);
    // Answers with these bytes instead, a frame of any kind.
    explicit RefusingServer(std::vector<std::uint8_t> frame);
    std::uint16_t Port() const { return server_.serverPort(); }

private:
    QTcpServer server_;
};

}  // namespace korvant::test
