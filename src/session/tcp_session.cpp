#include "session/tcp_session.h"

#include <QRandomGenerator>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <algorithm>

#include "net/player_names.h"
#include "session/peer_link.h"
#include "session/session_discovery.h"

namespace korvant {

namespace {

using Clock = std::chrono::steady_clock;
using wire::FrameKind;
using wire::Verdict;

// Connections still in their handshake: enough for every player of a full session knocking at
// once, few enough that a flood of half-open connections cannot exhaust memory.
constexpr int MaxHandshakingLinks = 2 * MaxSessionPlayers;
// A joiner is sent on at most this many times (the admitting player may move while he knocks).
constexpr int MaxRedirects = 4;
// A player who stops reading is dropped before what waits for him can exhaust memory.
constexpr qint64 MaxUnsentBytes = 16 * qint64(wire::MaxFrameBytes);

wire::Welcome Answer(const wire::Identity& who, Verdict v) {
    wire::Welcome w;
    w.Who = who;
    w.Answer = v;
    return w;
}

PlayerId RandomId() {
    PlayerId id = 0;
    while (id == 0) id = QRandomGenerator::global()->generate();
    return id;
}

// Marks a connection's handler on the stack for as long as it runs.
class Handling {
public:
    explicit Handling(int& depth) : depth_(depth) { ++depth_; }
    ~Handling() { --depth_; }
    Handling(const Handling&) = delete;
    Handling& operator=(const Handling&) = delete;

private:
    int& depth_;
};

std::span<const std::uint8_t> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), static_cast<std::size_t>(a.size())};
}

}  // namespace

TcpSession::TcpSession(TcpSessionOptions options, QObject* parent) : QObject(parent), options_(std::move(options)) {
    tick_ = new QTimer(this);
    tick_->setInterval(std::max<int>(10, int(std::min(options_.SilenceLimit, options_.HandshakeTimeout).count() / 10)));
    connect(tick_, &QTimer::timeout, this, &TcpSession::Tick);
    keepAlive_ = new QTimer(this);
    keepAlive_->setInterval(std::max<int>(10, int(options_.SilenceLimit.count() / 4)));
    connect(keepAlive_, &QTimer::timeout, this, &TcpSession::SendKeepAlives);
}

TcpSession::~TcpSession() { Shutdown(true); }

void TcpSession::Open(const OpenRequest& request) {
    if (request.Create) {
        Create(request.Name);
    } else {
        Join(request.Name, QString::fromStdString(request.Host), request.Port);
    }
}

bool TcpSession::Begin(const std::string& name) {
    Close();
    localName_ = name;
    localId_ = options_.Id ? options_.Id : RandomId();
    if (!StartListening()) {
        Tell({.What = Event::Kind::OpenFailed, .Error = OpenError::ListenFailed}, true);
        return false;
    }
    return true;
}

void TcpSession::Create(const std::string& name) {
    if (Begin(name)) {
        localSeq_ = highestSeq_ = 1;
        phase_ = Phase::Open;
        Tell({.What = Event::Kind::Open, .Player = {localId_, localName_, false}}, true);
    }
    // The game itself called: it hears of the open (or why not) before this returns.
    events_.DeliverAll();
}

void TcpSession::Join(const std::string& name, const QString& host, std::uint16_t port) {
    if (!Begin(name)) return;
    phase_ = Phase::Joining;
    redirects_ = 0;
    joinLink_ = NewLink(new QTcpSocket(this), true);
    joinLink_->Want = wire::Intent::Join;
    Connect(joinLink_, 0, host, port);
}

bool TcpSession::StartListening() {
    server_ = new QTcpServer(this);
    server_->setMaxPendingConnections(MaxHandshakingLinks);
    bool anyOther = options_.AnyPortWhenTaken && options_.ListenPort != 0;
    if (!server_->listen(options_.ListenAddress, options_.ListenPort) &&
        (!anyOther || !server_->listen(options_.ListenAddress, 0))) {
        delete server_;
        server_ = nullptr;
        return false;
    }
    connect(server_, &QTcpServer::newConnection, this, &TcpSession::Accept);
    // The listening socket failing cuts this computer off from anyone joining or relinking.
    connect(server_, &QTcpServer::acceptError, this, [this] {
        if (phase_ == Phase::Open) LoseSession();
    });
    if (options_.DiscoveryPort != 0) {
        responder_ = std::make_unique<DiscoveryResponder>(options_.Who, options_.DiscoveryPort,
                                                          [this] { return AdvertIfAdmitting(); });
    }
    tick_->start();
    keepAlive_->start();
    return true;
}

std::uint16_t TcpSession::ListenPort() const { return server_ ? server_->serverPort() : 0; }

PeerLink* TcpSession::NewLink(QTcpSocket* socket, bool outgoing) {
    auto link = std::make_unique<PeerLink>();
    PeerLink* l = link.get();
    l->Socket = socket;
    l->Now = outgoing ? PeerLink::State::AwaitWelcome : PeerLink::State::AwaitHello;
    l->HandshakeDeadline = Clock::now() + options_.HandshakeTimeout;
    l->Heard.start();
    socket->setParent(this);
    socket->setSocketOption(QAbstractSocket::LowDelayOption, 1);
    connect(socket, &QTcpSocket::readyRead, this, [this, l] { Read(l); });
    connect(socket, &QTcpSocket::disconnected, this, [this, l] {
        Handling busy(handling_);
        DropLink(l, false);
    });
    connect(socket, &QTcpSocket::errorOccurred, this, [this, l] {
        Handling busy(handling_);
        DropLink(l, false);
    });
    links_.push_back(std::move(link));
    return l;
}

void TcpSession::Connect(PeerLink* link, quint32 ipv4OrZero, const QString& host, std::uint16_t port) {
    connect(link->Socket, &QTcpSocket::connected, this, [this, link] {
        Handling busy(handling_);
        wire::Hello h{options_.Who, link->Want, localId_, ListenPort(), localName_};
        WriteFrame(link, FrameKind::Hello, wire::EncodeHello(h));
    });
    if (ipv4OrZero != 0) {
        link->Socket->connectToHost(QHostAddress(ipv4OrZero), port);
    } else {
        link->Socket->connectToHost(host, port);
    }
}

void TcpSession::Accept() {
    while (server_ && server_->hasPendingConnections()) {
        QTcpSocket* s = server_->nextPendingConnection();
        int handshaking = int(
            std::ranges::count_if(links_, [](const auto& l) { return !l->Dead && l->Now != PeerLink::State::Open; }));
        if (handshaking >= MaxHandshakingLinks) {
            s->abort();
            s->deleteLater();
            continue;
        }
        NewLink(s, false);
    }
}

void TcpSession::Read(PeerLink* link) {
    Handling busy(handling_);
    while (!link->Dead && link->Socket->bytesAvailable() > 0) {
        link->Reader.Append(Bytes(link->Socket->readAll()));
        while (auto frame = link->Reader.Next()) {
            link->Heard.restart();
            HandleFrame(link, frame->Kind, frame->Body);
            if (link->Dead) return;
        }
        if (link->Reader.Broken()) return Misbehaved(link);
    }
}

void TcpSession::HandleFrame(PeerLink* link, FrameKind kind, std::vector<std::uint8_t>& body) {
    using S = PeerLink::State;
    if (link->Now == S::AwaitHello && kind == FrameKind::Hello) return HandleHello(link, body);
    if (link->Now == S::AwaitWelcome && kind == FrameKind::Welcome) return HandleWelcome(link, body);
    if (link->Now != S::Open) return Misbehaved(link);  // anything else before the handshake ends
    switch (kind) {
        case FrameKind::Data:
            if (body.size() < MinBlockBytes) return DropLink(link, false);
            if (phase_ == Phase::Open) {
                Tell({.What = Event::Kind::Message, .Block = {link->Id, std::move(body)}}, false);
            } else {
                early_.push_back({link->Id, std::move(body)});
            }
            return;
        case FrameKind::KeepAlive:
            if (!body.empty()) DropLink(link, false);
            return;
        case FrameKind::Leave: return DropLink(link, true);
        case FrameKind::Announce: return HandleAnnounce(link, body);
        default: return DropLink(link, false);
    }
}

void TcpSession::HandleHello(PeerLink* link, std::span<const std::uint8_t> body) {
    wire::Hello hello;
    if (Verdict v = wire::ParseHello(body, options_.Who, hello); v != Verdict::Accepted) return Refuse(link, v);
    link->Id = hello.Id;
    if (hello.Want == wire::Intent::Join) return Admit(link, hello);

    Member* m = FindMember(hello.Id);
    if (hello.Id == localId_ || (m && m->Link)) return Refuse(link, Verdict::IdTaken);
    if (m) return AcceptLink(link, *m, true);
    // He may be quicker than the admitting computer's announcement of him.
    link->Now = PeerLink::State::AwaitAnnounce;
}

void TcpSession::Admit(PeerLink* link, wire::Hello& hello) {
    if (phase_ == Phase::Closed || phase_ == Phase::Joining) return Refuse(link, Verdict::Malformed);
    if (const Member* a = AdmittingMember()) {
        wire::Welcome w = Answer(options_.Who, Verdict::Redirect);
        w.RedirectIpv4 = a->Entry.Ipv4;
        w.RedirectPort = a->Entry.Port;
        WriteFrame(link, FrameKind::Welcome, wire::EncodeWelcome(w));
        return Retire(link, true);
    }
    // The admitting computer links every player it admits at once; a member not linked here was
    // only announced by somebody else, and counts for nothing until he links.
    const auto linked = std::ranges::count_if(members_, [](const Member& m) { return m.Added; });
    if (1 + linked >= MaxSessionPlayers) return Refuse(link, Verdict::Full);
    if (hello.Id == localId_ || FindMember(hello.Id)) return Refuse(link, Verdict::IdTaken);
    // Nobody may pass for a present player: his leave or his ready tick would be taken for the other's.
    bool nameTaken = SameName(hello.Name, localName_) || std::ranges::any_of(members_, [&](const Member& m) {
                         return m.Added && SameName(hello.Name, m.Entry.Name);
                     });
    if (nameTaken) return Refuse(link, Verdict::NameTaken);
    bool ipv4 = false;
    quint32 address = link->Socket->peerAddress().toIPv4Address(&ipv4);
    if (!ipv4) return Refuse(link, Verdict::Malformed);

    wire::RosterEntry joiner{hello.Id, ++highestSeq_, address, hello.Port, std::move(hello.Name)};
    wire::Welcome w = Answer(options_.Who, Verdict::Accepted);
    w.Seq = joiner.Seq;
    w.Players.push_back(LocalEntry());
    // Only players linked here: one merely announced by somebody else may be nobody at all, and a
    // joiner who cannot reach him would fail.
    for (const Member& m : members_)
        if (m.Added) w.Players.push_back(m.Entry);
    WriteFrame(link, FrameKind::Welcome, wire::EncodeWelcome(w));
    // Every player hears of the joiner from this computer alone, so all list players in one order.
    std::vector<std::uint8_t> announce = wire::EncodeAnnounce(joiner);
    for (const Member& m : members_) {
        if (m.Link) WriteFrame(m.Link, FrameKind::Announce, announce);
    }
    PlayerId id = joiner.Id;
    Insert({std::move(joiner), nullptr, false, Clock::now()});
    AcceptLink(link, *FindMember(id), false);
}

void TcpSession::AcceptLink(PeerLink* link, Member& member, bool answer) {
    if (answer) WriteFrame(link, FrameKind::Welcome, wire::EncodeWelcome(Answer(options_.Who, Verdict::Accepted)));
    link->Now = PeerLink::State::Open;
    link->Id = member.Entry.Id;
    link->Reader.SetLimit(wire::MaxFrameBytes);
    member.Link = link;
    member.Added = true;
    if (phase_ == Phase::Open) {
        Tell({.What = Event::Kind::AddPlayer, .Player = {member.Entry.Id, member.Entry.Name, true}}, true);
    } else {
        FinishMeshIfComplete();
    }
}

void TcpSession::HandleWelcome(PeerLink* link, std::span<const std::uint8_t> body) {
    std::optional<wire::Welcome> w = wire::ParseWelcome(body, options_.Who);
    if (!w) return FailOpen(OpenError::ProtocolError);

    if (link != joinLink_) {  // the answer of a player we link to while meshing
        Member* m = FindMember(link->Id);
        if (!m) return Retire(link, false);  // he left meanwhile
        if (w->Answer != Verdict::Accepted) return FailOpen(wire::OpenErrorOf(w->Answer));
        return AcceptLink(link, *m, false);
    }
    if (w->Answer == Verdict::Redirect) {
        if (++redirects_ > MaxRedirects || w->RedirectIpv4 == 0) return FailOpen(OpenError::ConnectFailed);
        Retire(link, false);
        joinLink_ = NewLink(new QTcpSocket(this), true);
        joinLink_->Want = wire::Intent::Join;
        return Connect(joinLink_, w->RedirectIpv4, {}, w->RedirectPort);
    }
    if (w->Answer != Verdict::Accepted) return FailOpen(wire::OpenErrorOf(w->Answer));

    // Admitted. The entry without an address is the admitting computer, reached through this link;
    // every other player must be reachable.
    bool ipv4 = false;
    quint32 address = link->Socket->peerAddress().toIPv4Address(&ipv4);
    auto unaddressed = std::ranges::count_if(w->Players, [](const wire::RosterEntry& e) { return e.Ipv4 == 0; });
    bool unreachable = std::ranges::any_of(
        w->Players, [&](const wire::RosterEntry& e) { return e.Id == localId_ || (e.Ipv4 != 0 && e.Port == 0); });
    if (!ipv4 || unaddressed != 1 || unreachable) return FailOpen(OpenError::ProtocolError);

    localSeq_ = highestSeq_ = w->Seq;
    joinLink_ = nullptr;
    phase_ = Phase::Meshing;
    PlayerId admitting = 0;
    for (wire::RosterEntry& e : w->Players) {
        if (e.Ipv4 == 0) {
            e.Ipv4 = address;
            admitting = e.Id;
        }
        highestSeq_ = std::max(highestSeq_, e.Seq);
        Insert({std::move(e), nullptr, false, Clock::now() + options_.HandshakeTimeout});
    }
    std::vector<PeerLink*> knocks;
    for (const Member& m : members_) {
        if (m.Entry.Id == admitting) continue;
        PeerLink* l = NewLink(new QTcpSocket(this), true);
        l->Want = wire::Intent::Link;
        l->Id = m.Entry.Id;
        knocks.push_back(l);
    }
    for (std::size_t i = 0; i < knocks.size(); ++i) {
        const Member* m = FindMember(knocks[i]->Id);
        Connect(knocks[i], m->Entry.Ipv4, {}, m->Entry.Port);
    }
    AcceptLink(link, *FindMember(admitting), false);
}

void TcpSession::HandleAnnounce(PeerLink* from, std::span<const std::uint8_t> body) {
    std::optional<wire::RosterEntry> e = wire::ParseAnnounce(body);
    if (!e) return DropLink(from, false);
    if (e->Id == localId_ || FindMember(e->Id) || 1 + members_.size() >= std::size_t(MaxSessionPlayers)) return;
    // A newcomer joins after this computer, and the order counts up one by one: a number far
    // ahead would push every later joiner out of order.
    if (e->Seq <= localSeq_ || e->Seq > highestSeq_ + MaxSessionPlayers) return;
    highestSeq_ = std::max(highestSeq_, e->Seq);
    PlayerId id = e->Id;
    Insert({std::move(*e), nullptr, false, Clock::now() + options_.HandshakeTimeout});
    auto waiting = std::ranges::find_if(
        links_, [&](const auto& l) { return !l->Dead && l->Now == PeerLink::State::AwaitAnnounce && l->Id == id; });
    if (waiting != links_.end()) AcceptLink(waiting->get(), *FindMember(id), true);
}

void TcpSession::Refuse(PeerLink* link, Verdict verdict) {
    WriteFrame(link, FrameKind::Welcome, wire::EncodeWelcome(Answer(options_.Who, verdict)));
    Retire(link, true);
}

void TcpSession::WriteFrame(PeerLink* link, FrameKind kind, std::span<const std::uint8_t> body) {
    std::vector<std::uint8_t> frame = wire::EncodeFrame(kind, body);
    WriteRaw(link, frame);
}

void TcpSession::WriteRaw(PeerLink* link, const std::vector<std::uint8_t>& frame) {
    if (!link->Dead) link->Socket->write(reinterpret_cast<const char*>(frame.data()), qint64(frame.size()));
}

void TcpSession::Retire(PeerLink* link, bool flush) {
    if (link->Dead) return;
    link->Dead = true;
    if (link == joinLink_) joinLink_ = nullptr;
    QTcpSocket* s = link->Socket;
    s->disconnect(this);
    if (flush && s->state() == QAbstractSocket::ConnectedState) {
        // Let the last words (a leave, a refusal) go out before the connection closes.
        s->flush();
        connect(s, &QTcpSocket::disconnected, s, &QObject::deleteLater);
        s->disconnectFromHost();
        if (s->state() == QAbstractSocket::UnconnectedState) s->deleteLater();
    } else {
        s->abort();
        s->deleteLater();
    }
    if (!sweepQueued_) {
        sweepQueued_ = true;
        QMetaObject::invokeMethod(this, &TcpSession::Sweep, Qt::QueuedConnection);
    }
}

void TcpSession::Sweep() {
    if (handling_ > 0) {  // only a nested event loop under a handler gets here; try on the next pass
        QMetaObject::invokeMethod(this, &TcpSession::Sweep, Qt::QueuedConnection);
        return;
    }
    sweepQueued_ = false;
    std::erase_if(links_, [](const auto& l) { return l->Dead; });
}

void TcpSession::DropLink(PeerLink* link, bool clean) {
    if (link->Dead) return;
    bool ourKnock = link->Now == PeerLink::State::AwaitWelcome;
    PlayerId player = link->Now == PeerLink::State::Open ? link->Id : 0;
    Retire(link, false);
    if (player != 0) {
        RemoveMember(player, clean);
    } else if (ourKnock && (phase_ == Phase::Joining || phase_ == Phase::Meshing)) {
        FailOpen(OpenError::ConnectFailed);
    }
}

void TcpSession::Misbehaved(PeerLink* link) {
    bool knocking =
        link->Now == PeerLink::State::AwaitWelcome && (phase_ == Phase::Joining || phase_ == Phase::Meshing);
    Retire(link, false);
    if (knocking)
        FailOpen(OpenError::OtherProgram);
    else if (link->Now == PeerLink::State::Open)
        RemoveMember(link->Id, false);
}

void TcpSession::RemoveMember(PlayerId id, bool clean) {
    auto it = std::ranges::find_if(members_, [&](const Member& m) { return m.Entry.Id == id; });
    if (it == members_.end()) return;
    SessionPlayer gone{id, it->Entry.Name, true};
    bool added = it->Added;
    if (it->Link) Retire(it->Link, false);
    members_.erase(it);
    std::erase_if(early_, [&](const SessionBlock& b) { return b.From == id; });
    if (phase_ == Phase::Meshing) return FinishMeshIfComplete();
    if (phase_ != Phase::Open || !added) return;

    auto now = Clock::now();
    if (!clean) uncleanLosses_.push_back(now);
    while (!uncleanLosses_.empty() && now - uncleanLosses_.front() > options_.SilenceLimit / 2)
        uncleanLosses_.pop_front();
    Tell({.What = Event::Kind::DeletePlayer, .Player = gone}, true);
    // Every link failing together, with more than one other player, means this computer is the one cut off.
    bool alone = std::ranges::none_of(members_, [](const Member& m) { return m.Added; });
    if (phase_ == Phase::Open && !clean && alone && uncleanLosses_.size() >= 2) LoseSession();
}

void TcpSession::FinishMeshIfComplete() {
    if (phase_ != Phase::Meshing || std::ranges::any_of(members_, [](const Member& m) { return !m.Added; })) return;
    phase_ = Phase::Open;
    Tell({.What = Event::Kind::Open, .Player = {localId_, localName_, false}}, true);
    for (SessionBlock& b : early_) Tell({.What = Event::Kind::Message, .Block = std::move(b)}, false);
    early_.clear();
}

void TcpSession::FailOpen(OpenError e) {
    if (phase_ != Phase::Joining && phase_ != Phase::Meshing) return;
    Shutdown(true);
    Tell({.What = Event::Kind::OpenFailed, .Error = e}, true);
}

void TcpSession::LoseSession() {
    Shutdown(false);
    Tell({.What = Event::Kind::SessionLost}, true);
}

void TcpSession::Tell(Event e, bool rosterChanged) {
    events_.Tell(std::move(e), rosterChanged ? std::optional(Roster()) : std::nullopt);
}

void TcpSession::Tick() {
    auto now = Clock::now();
    std::vector<PeerLink*> snapshot;
    for (const auto& l : links_) snapshot.push_back(l.get());
    for (PeerLink* l : snapshot) {
        if (l->Dead) continue;
        if (l->Now == PeerLink::State::Open) {
            bool silent = std::chrono::milliseconds(l->Heard.elapsed()) > options_.SilenceLimit;
            if (silent || l->Socket->bytesToWrite() > MaxUnsentBytes) DropLink(l, false);
        } else if (now > l->HandshakeDeadline) {
            bool knocking =
                l->Now == PeerLink::State::AwaitWelcome && (phase_ == Phase::Joining || phase_ == Phase::Meshing);
            Retire(l, false);
            if (knocking) FailOpen(OpenError::Timeout);
        }
        if (phase_ == Phase::Closed) return;
    }
    // A player announced but never linked (his join failed) is forgotten.
    std::vector<PlayerId> expired;
    for (const Member& m : members_) {
        if (!m.Link && now > m.Expires) expired.push_back(m.Entry.Id);
    }
    for (PlayerId id : expired) RemoveMember(id, true);
}

void TcpSession::SendKeepAlives() {
    std::vector<std::uint8_t> frame = wire::EncodeFrame(FrameKind::KeepAlive);
    for (const Member& m : members_) {
        if (m.Link) WriteRaw(m.Link, frame);
    }
}

void TcpSession::Shutdown(bool sayGoodbye) {
    std::vector<std::uint8_t> leave = wire::EncodeFrame(FrameKind::Leave);
    for (const auto& l : links_) {
        if (sayGoodbye && l->Now == PeerLink::State::Open) WriteRaw(l.get(), leave);
        Retire(l.get(), sayGoodbye);
    }
    members_.clear();
    early_.clear();
    uncleanLosses_.clear();
    joinLink_ = nullptr;
    if (server_) {
        server_->disconnect(this);
        server_->close();
        server_->deleteLater();
        server_ = nullptr;
    }
    responder_.reset();
    tick_->stop();
    keepAlive_->stop();
    phase_ = Phase::Closed;
    localSeq_ = highestSeq_ = 0;
}

void TcpSession::Close() {
    Shutdown(true);
    events_.Clear();
}

void TcpSession::Insert(Member m) {
    auto at = std::ranges::upper_bound(members_, m.Entry.Seq, {}, [](const Member& x) { return x.Entry.Seq; });
    members_.insert(at, std::move(m));
}

TcpSession::Member* TcpSession::FindMember(PlayerId id) {
    auto it = std::ranges::find_if(members_, [&](const Member& m) { return m.Entry.Id == id; });
    return it == members_.end() ? nullptr : &*it;
}

wire::RosterEntry TcpSession::LocalEntry() const { return {localId_, localSeq_, 0, ListenPort(), localName_}; }

const TcpSession::Member* TcpSession::AdmittingMember() const {
    for (const Member& m : members_) {
        if (m.Added && m.Entry.Seq < localSeq_) return &m;
    }
    return nullptr;
}

std::optional<wire::Advert> TcpSession::AdvertIfAdmitting() const {
    if (phase_ != Phase::Open || AdmittingMember()) return std::nullopt;
    auto added = std::ranges::count_if(members_, [](const Member& m) { return m.Added; });
    return wire::Advert{ListenPort(), static_cast<std::uint8_t>(1 + added), localName_};
}

std::vector<SessionPlayer> TcpSession::Roster() const {
    if (phase_ != Phase::Open) return {};
    std::vector<PlacedPlayer> others;
    for (const Member& m : members_)
        if (m.Added) others.push_back({m.Entry.Id, &m.Entry.Name, m.Entry.Seq});
    return JoiningOrder(others, {localId_, &localName_, localSeq_});
}

SendResult TcpSession::Send(PlayerId to, std::span<const std::uint8_t> block) {
    if (std::optional<SendResult> done = SendFirst(block, phase_ == Phase::Open, to, localId_, listener_)) return *done;
    Member* one = to == ToAllOthers ? nullptr : FindMember(to);
    if (to != ToAllOthers && (!one || !one->Added)) return SendResult::UnknownPlayer;
    std::vector<std::uint8_t> frame = wire::EncodeFrame(FrameKind::Data, block);
    if (one) {
        WriteRaw(one->Link, frame);
    } else {
        for (const Member& m : members_) {
            if (m.Added) WriteRaw(m.Link, frame);
        }
    }
    return SendResult::Sent;
}

}  // namespace korvant
