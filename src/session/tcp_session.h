#pragma once
// The session over TCP: every player holds one connection to every other player (a full mesh),
// so anyone, the creator included, can leave and the rest stay together in the same order.
// A joiner knocks at any computer of the session, is sent on to the admitting one (the earliest
// player still present), is admitted there with the roster, and links to every other player.
// Everything runs on the owning thread's event loop; no thread of our own.
//
// What the sockets bring is handled at once, but the listener hears of it only later, from the
// event loop: events wait in one queue and are delivered one per pass of the loop. So no code of
// the game runs while a connection's frame is being handled, and a box the game opens (a nested
// event loop) cannot free a connection under the code that reads it. Dead connections are freed
// only by the sweep, which never runs while a connection's handler is on the stack.
#include <QHostAddress>
#include <QObject>
#include <QPointer>
#include <chrono>
#include <deque>
#include <memory>
#include <vector>

#include "net/session.h"
#include "session/open_request.h"
#include "session/session_events.h"
#include "wire/discovery_messages.h"
#include "wire/frame_reader.h"
#include "wire/handshake.h"

class QTcpServer;
class QTcpSocket;
class QTimer;

namespace korvant {

class DiscoveryResponder;
struct PeerLink;

struct TcpSessionOptions {
    QHostAddress ListenAddress = QHostAddress::AnyIPv4;
    std::uint16_t ListenPort = DefaultGamePort;
    bool AnyPortWhenTaken = true;                        // ListenPort taken: listen on any free port instead of failing
    std::uint16_t DiscoveryPort = DefaultDiscoveryPort;  // 0: answer no searches
    // A player silent this long (not even a keep-alive) is removed; keep-alives go out at a quarter of it.
    std::chrono::milliseconds SilenceLimit{10000};
    // A connection that has not finished its handshake by then is closed.
    std::chrono::milliseconds HandshakeTimeout{5000};
    PlayerId Id = 0;  // 0: a random one
    wire::Identity Who;
};

class TcpSession final : public QObject, public Session {
    Q_OBJECT
public:
    explicit TcpSession(TcpSessionOptions options = {}, QObject* parent = nullptr);
    ~TcpSession() override;

    // Closes any open session first. Create reports OnOpen (or OnOpenFailed) before it returns;
    // Join reports either later, from the event loop.
    void Open(const OpenRequest& request);
    void Create(const std::string& name);
    void Join(const std::string& name, const QString& host, std::uint16_t port);

    // Open as the listener has been told (from OnOpen on), and still able to send.
    bool IsOpen() const override { return phase_ == Phase::Open && !events_.Shown().empty(); }
    // As the listener has been told: from OnOpen until OnSessionLost or Close.
    PlayerId LocalId() const override { return events_.Shown().empty() ? 0 : localId_; }
    std::vector<SessionPlayer> Players() const override { return events_.Shown(); }
    SendResult Send(PlayerId to, std::span<const std::uint8_t> block) override;
    void Close() override;

    // Where this computer accepts players (0 while closed).
    std::uint16_t ListenPort() const;

private:
    // A fresh start under `name`: the old session closed, an id drawn, the listener open. False
    // (and the listener told) when no port could be opened.
    bool Begin(const std::string& name);
    enum class Phase { Closed, Joining, Meshing, Open };
    struct Member {
        wire::RosterEntry Entry;
        PeerLink* Link = nullptr;  // null: announced, not linked yet
        bool Added = false;        // linked and listed in Players()
        std::chrono::steady_clock::time_point Expires;
    };
    using Event = SessionEvent;

    bool StartListening();
    PeerLink* NewLink(QTcpSocket* socket, bool outgoing);
    void Connect(PeerLink* link, quint32 ipv4OrZero, const QString& host, std::uint16_t port);
    void Accept();
    void Read(PeerLink* link);
    void HandleFrame(PeerLink* link, wire::FrameKind kind, std::vector<std::uint8_t>& body);
    void HandleHello(PeerLink* link, std::span<const std::uint8_t> body);
    void Admit(PeerLink* link, wire::Hello& hello);
    // `member` is now reached through `link`; `answer`: welcome him (he knocked to link to us).
    void AcceptLink(PeerLink* link, Member& member, bool answer);
    void HandleWelcome(PeerLink* link, std::span<const std::uint8_t> body);
    void HandleAnnounce(PeerLink* from, std::span<const std::uint8_t> body);
    void Refuse(PeerLink* link, wire::Verdict verdict);
    void WriteFrame(PeerLink* link, wire::FrameKind kind, std::span<const std::uint8_t> body = {});
    void WriteRaw(PeerLink* link, const std::vector<std::uint8_t>& frame);
    // Closes a link's connection (`flush`: after writing what is queued); swept later, never at once,
    // because the link may be the one whose frame is being handled.
    void Retire(PeerLink* link, bool flush);
    void Insert(Member m);
    // A link is gone: removes its player (clean: he said goodbye), or fails an open in progress.
    void DropLink(PeerLink* link, bool clean);
    void RemoveMember(PlayerId id, bool clean);
    // Bytes that are not this game's protocol: the player is dropped, a knock of ours fails.
    void Misbehaved(PeerLink* link);
    void FinishMeshIfComplete();
    // Queues an event; `rosterChanged`: Players() shows the roster of now once it is delivered.
    void Tell(Event e, bool rosterChanged);
    // The players of the session as this computer knows them now, in joining order.
    std::vector<SessionPlayer> Roster() const;
    void FailOpen(OpenError e);
    void LoseSession();
    void Tick();
    void SendKeepAlives();
    void Shutdown(bool sayGoodbye);
    void Sweep();
    Member* FindMember(PlayerId id);
    wire::RosterEntry LocalEntry() const;
    // The earliest player present answers joiners; Redirect names him when he is not this one.
    const Member* AdmittingMember() const;
    std::optional<wire::Advert> AdvertIfAdmitting() const;

    TcpSessionOptions options_;
    Phase phase_ = Phase::Closed;
    PlayerId localId_ = 0;
    std::string localName_;
    std::uint32_t localSeq_ = 0;
    std::uint32_t highestSeq_ = 0;
    std::vector<Member> members_;  // in joining order
    std::vector<std::unique_ptr<PeerLink>> links_;
    PeerLink* joinLink_ = nullptr;  // the knock at the session while joining
    int redirects_ = 0;
    std::deque<SessionBlock> early_;  // blocks that came while this computer was still meshing
    std::deque<std::chrono::steady_clock::time_point> uncleanLosses_;
    SessionEvents events_{listener_};
    bool sweepQueued_ = false;
    int handling_ = 0;  // connection handlers on the stack; the sweep waits while any is
    QTcpServer* server_ = nullptr;
    QTimer* tick_ = nullptr;
    QTimer* keepAlive_ = nullptr;
    std::unique_ptr<DiscoveryResponder> responder_;
};

}  // namespace korvant
