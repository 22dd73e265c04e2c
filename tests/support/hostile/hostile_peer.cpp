#include "support/hostile/hostile_peer.h"

#include <QEventLoop>
#include <QRandomGenerator>
#include <algorithm>

#include "net/block_bytes.h"
#include "net/full_state_block.h"
#include "net/packed_envelope.h"
#include "net/persons.h"
#include "net/player_turn_block.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"

namespace korvant::test {

namespace {

std::span<const std::uint8_t> Bytes(const QByteArray& a) {
    return {reinterpret_cast<const std::uint8_t*>(a.constData()), std::size_t(a.size())};
}

}  // namespace

HostilePeer::HostilePeer(std::string name, PlayerId id) : name_(std::move(name)), id_(id) {
    while (id_ == 0) id_ = QRandomGenerator::global()->generate();
    // Players who join later link to us, as to any member.
    listener_.listen(QHostAddress::LocalHost, 0);
    connect(&listener_, &QTcpServer::newConnection, this, [this] {
        while (QTcpSocket* s = listener_.nextPendingConnection()) NewLink(s);
    });
    connect(&keepAlive_, &QTimer::timeout, this, [this] {
        if (!silent_) SendFrame(ToAllOthers, wire::FrameKind::KeepAlive);
    });
    keepAlive_.start(1000);
}

HostilePeer::~HostilePeer() {
    for (auto& l : links_) {
        l->socket->disconnect(this);
        l->socket->abort();
        delete l->socket;
    }
}

HostilePeer::Link* HostilePeer::NewLink(QTcpSocket* socket) {
    links_.push_back(std::make_unique<Link>());
    Link* l = links_.back().get();
    l->socket = socket;
    socket->setParent(this);
    connect(socket, &QTcpSocket::readyRead, this, [this, l] { Read(l); });
    connect(socket, &QTcpSocket::disconnected, this, [this, l] {
        l->open = false;
        if (wake_) wake_();
    });
    return l;
}

void HostilePeer::Knock(Link* link, quint32 ipv4, std::uint16_t port, wire::Intent want) {
    connect(link->socket, &QTcpSocket::connected, this, [this, link, want] {
        wire::Hello h{wire::Identity{}, want, id_, listener_.serverPort(), name_};
        Write(link, wire::FrameKind::Hello, wire::EncodeHello(h));
    });
    link->socket->connectToHost(QHostAddress(ipv4), port);
}

bool HostilePeer::Join(std::uint16_t port, std::chrono::milliseconds limit) {
    Link* l = NewLink(new QTcpSocket(this));
    l->admitting = true;
    Knock(l, QHostAddress(QHostAddress::LocalHost).toIPv4Address(), port, wire::Intent::Join);
    const bool linked = WaitUntil(
        [&] {
            const auto open = std::ranges::count_if(links_, [](const auto& k) { return k->open; });
            return refused_ || (!members_.empty() && std::size_t(open) == members_.size());
        },
        limit);
    return linked && !refused_;
}

int HostilePeer::ClosedByThem(std::uint16_t port, const std::vector<std::vector<std::uint8_t>>& payloads,
                              std::chrono::milliseconds limit) {
    std::vector<std::unique_ptr<QTcpSocket>> sockets;
    int closed = 0;
    for (const std::vector<std::uint8_t>& bytes : payloads) {
        auto* s = sockets.emplace_back(std::make_unique<QTcpSocket>()).get();
        connect(s, &QTcpSocket::connected, this,
                [s, &bytes] { s->write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())); });
        connect(s, &QTcpSocket::stateChanged, this, [this, &closed](QAbstractSocket::SocketState now) {
            if (now != QAbstractSocket::UnconnectedState) return;
            ++closed;
            if (wake_) wake_();
        });
        s->connectToHost(QHostAddress::LocalHost, port);
    }
    WaitUntil([&] { return closed == int(payloads.size()); }, limit);
    for (auto& s : sockets) s->disconnect(this);
    return closed;
}

PlayerId HostilePeer::IdOf(const std::string& name) const {
    auto m = std::ranges::find(members_, name, &Member::name);
    return m == members_.end() ? 0 : m->id;
}

void HostilePeer::Read(Link* link) {
    link->reader.Append(Bytes(link->socket->readAll()));
    while (auto frame = link->reader.Next()) HandleFrame(link, *frame);
    if (link->reader.Broken()) link->socket->abort();
    if (wake_) wake_();
}

void HostilePeer::HandleFrame(Link* link, const wire::Frame& frame) {
    using wire::FrameKind;
    if (!link->open) {
        if (frame.Kind == FrameKind::Welcome) HandleWelcome(link, frame.Body);
        if (frame.Kind == FrameKind::Hello) HandleHello(link, frame.Body);
        return;
    }
    switch (frame.Kind) {
        case FrameKind::Data: return HandleBlock(link->id, frame.Body);
        case FrameKind::Announce:
            if (auto e = wire::ParseAnnounce(frame.Body)) members_.push_back({e->Id, e->Name});
            return;
        case FrameKind::Leave:
            std::erase_if(members_, [&](const Member& m) { return m.id == link->id; });
            link->open = false;
            link->socket->disconnectFromHost();
            return;
        default: return;
    }
}

void HostilePeer::HandleWelcome(Link* link, std::span<const std::uint8_t> body) {
    const std::optional<wire::Welcome> w = wire::ParseWelcome(body, wire::Identity{});
    if (!w || w->Answer != wire::Verdict::Accepted) {
        refused_ = true;
        return;
    }
    link->open = true;
    if (!link->admitting) return;
    for (const wire::RosterEntry& e : w->Players) {
        members_.push_back({e.Id, e.Name});
        if (e.Ipv4 == 0) {
            link->id = e.Id;  // the admitting computer, reached through this link
            continue;
        }
        Link* k = NewLink(new QTcpSocket(this));
        k->id = e.Id;
        Knock(k, e.Ipv4, e.Port, wire::Intent::Link);
    }
}

void HostilePeer::HandleHello(Link* link, std::span<const std::uint8_t> body) {
    wire::Hello hello;
    if (wire::ParseHello(body, wire::Identity{}, hello) != wire::Verdict::Accepted || hello.Want != wire::Intent::Link)
        return link->socket->abort();
    wire::Welcome w;
    Write(link, wire::FrameKind::Welcome, wire::EncodeWelcome(w));
    link->id = hello.Id;
    link->open = true;
    if (IdOf(hello.Name) == 0) members_.push_back({hello.Id, hello.Name});
}

void HostilePeer::HandleBlock(PlayerId from, std::span<const std::uint8_t> block) {
    if (block.size() < MinBlockBytes) return;
    std::vector<std::uint8_t> inner(block.begin(), block.end());
    if (KindOf(block) == int32_t(BlockKind::Packed)) {
        try {
            inner = UnpackEnvelope(block);
        } catch (const BlockError&) {
        }
    }
    inbox_.push_back({from, inner});
    if (!playing_ || silent_) return;
    try {
        if (KindOf(inner) == int32_t(BlockKind::FullState)) {
            FullState state = DecodeFullState(inner);
            if (firstFullState_.empty()) firstFullState_ = inner;
            known_ = std::move(state.game);
            server_ = state.serverId;
            ownState_ = StateOf(*known_, id_);
            known_->CurGos = std::uint8_t(ownState_);
            if (ownState_ != 0) Answer(server_);
        } else if (KindOf(inner) == int32_t(BlockKind::TurnResult) && known_ && ownState_ != 0) {
            ApplyTurnResult(DecodeTurnResult(inner, *known_), *known_);
            server_ = from;
            Answer(server_);
        }
    } catch (const BlockError&) {
        // Not ours to judge: the real peers' answers are what the tests look at.
    }
}

void HostilePeer::Answer(PlayerId server) {
    if (beforeAnswer_ && !beforeAnswer_(known_->Year)) return;
    if (silent_ || !playing_ || known_->mGos[ownState_].Alive == 0) return;
    Send(server, EncodePlayerTurn(*known_));
    Send(ToAllOthers, EncodeSmall(BlockKind::TurnDone));
}

void HostilePeer::PlayAlong(std::function<bool(int)> beforeAnswer) {
    beforeAnswer_ = std::move(beforeAnswer);
    playing_ = true;
    Send(ToAllOthers, EncodeSmall(BlockKind::Ready, 1));
}

void HostilePeer::Send(PlayerId to, std::span<const std::uint8_t> block, bool raw) {
    const bool pack = !raw && block.size() >= MinBlockBytes && TravelsPacked(BlockKind(KindOf(block)));
    SendFrame(to, wire::FrameKind::Data,
              pack ? PackEnvelope(block) : std::vector<std::uint8_t>(block.begin(), block.end()));
}

void HostilePeer::SendFrame(PlayerId to, wire::FrameKind kind, std::span<const std::uint8_t> body) {
    for (auto& l : links_)
        if (l->open && (to == ToAllOthers || l->id == to)) Write(l.get(), kind, body);
}

void HostilePeer::Write(Link* link, wire::FrameKind kind, std::span<const std::uint8_t> body) {
    const std::vector<std::uint8_t> frame = wire::EncodeFrame(kind, body);
    link->socket->write(reinterpret_cast<const char*>(frame.data()), qint64(frame.size()));
}

void HostilePeer::Leave() {
    Send(ToAllOthers, EncodeSmall(BlockKind::Leave));
    SendFrame(ToAllOthers, wire::FrameKind::Leave);
    playing_ = false;
    keepAlive_.stop();
    for (auto& l : links_) {
        l->open = false;
        l->socket->disconnectFromHost();
    }
}

void HostilePeer::Vanish() {
    playing_ = false;
    keepAlive_.stop();
    for (auto& l : links_) {
        l->open = false;
        l->socket->abort();
    }
}

bool HostilePeer::WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit) {
    if (done()) return true;
    QEventLoop loop;
    QTimer::singleShot(limit, &loop, &QEventLoop::quit);
    wake_ = [&] {
        if (done()) loop.quit();
    };
    loop.exec();
    wake_ = nullptr;
    return done();
}

int HostilePeer::CountOf(BlockKind kind) const {
    return int(std::ranges::count_if(inbox_, [&](const Received& r) { return KindOf(r.block) == int32_t(kind); }));
}

std::unique_ptr<Game> HostilePeer::FirstState() const {
    return firstFullState_.empty() ? nullptr : DecodeFullState(firstFullState_).game;
}

}  // namespace korvant::test
