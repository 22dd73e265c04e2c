#pragma once
// A misbehaving player for the network tests: it speaks the session's wire format over its own
// sockets, joins a session of real korvant-peer processes as the session does (or only knocks, as
// a stranger), and sends whatever block a test forges, to one member or to all. Playing along, it
// ticks ready and answers each year's data of its server with its turn and its turn done, so the
// game waits for it as for any person; it keeps what it received to forge from. Its keep-alives go
// out every second, well within the session's silence limit.
#include <QObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>
#include <chrono>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/game.h"
#include "net/block_kind.h"
#include "net/session.h"
#include "wire/frame_reader.h"
#include "wire/handshake.h"

namespace korvant::test {

class HostilePeer : public QObject {
public:
    struct Received {
        PlayerId from;
        std::vector<std::uint8_t> block;  // unpacked when it came in an envelope
    };

    // With `id` 0 he takes a random one, as the session does.
    explicit HostilePeer(std::string name, PlayerId id = 0);
    ~HostilePeer() override;

    // Knocks at 127.0.0.1:port and links to every member; true once linked to all within `limit`.
    bool Join(std::uint16_t port, std::chrono::milliseconds limit);
    // As a stranger: one connection per payload, each sending its bytes at once (none for an
    // empty one); how many the other side closed within `limit`.
    int ClosedByThem(std::uint16_t port, const std::vector<std::vector<std::uint8_t>>& payloads,
                     std::chrono::milliseconds limit);
    PlayerId Id() const { return id_; }
    // A member's id by his name as the session lists it; 0 when none.
    PlayerId IdOf(const std::string& name) const;

    // Ticks ready and from then on answers each year's data: `beforeAnswer(year)` runs first,
    // and the answer is skipped when it returns false.
    void PlayAlong(std::function<bool(int year)> beforeAnswer = {});
    // Sends a block as a Data frame; `to` 0 is every member. Packed kinds go in an envelope unless `raw`.
    void Send(PlayerId to, std::span<const std::uint8_t> block, bool raw = false);
    void SendFrame(PlayerId to, wire::FrameKind kind, std::span<const std::uint8_t> body = {});
    // The leave block to all, then the session's goodbye.
    void Leave();
    // Every connection cut without a word, as a crash.
    void Vanish();
    // No keep-alive and no answer any more; the connections stay open.
    void GoSilent() { silent_ = true; }

    // Runs the event loop until `done` (checked after every frame this player gets) or `limit`.
    bool WaitUntil(const std::function<bool()>& done, std::chrono::milliseconds limit);

    const std::vector<Received>& Inbox() const { return inbox_; }
    int CountOf(BlockKind kind) const;
    // The game as this player knows it (its first full state and the turn results since); null before.
    Game* Known() { return known_.get(); }
    PlayerId Server() const { return server_; }
    // A fresh game of the first full state, to forge from.
    std::unique_ptr<Game> FirstState() const;
    const std::vector<std::uint8_t>& FirstFullState() const { return firstFullState_; }

private:
    struct Link {
        PlayerId id = 0;
        QTcpSocket* socket = nullptr;
        wire::FrameReader reader{wire::MaxFrameBytes};
        bool open = false;
        bool admitting = false;  // our knock to join
    };
    struct Member {
        PlayerId id;
        std::string name;
    };

    Link* NewLink(QTcpSocket* socket);
    void Knock(Link* link, quint32 ipv4, std::uint16_t port, wire::Intent want);
    void Read(Link* link);
    void HandleFrame(Link* link, const wire::Frame& frame);
    void HandleWelcome(Link* link, std::span<const std::uint8_t> body);
    void HandleHello(Link* link, std::span<const std::uint8_t> body);
    void HandleBlock(PlayerId from, std::span<const std::uint8_t> block);
    void Answer(PlayerId server);
    void Write(Link* link, wire::FrameKind kind, std::span<const std::uint8_t> body);

    std::string name_;
    PlayerId id_;
    QTcpServer listener_;
    QTimer keepAlive_;
    std::vector<std::unique_ptr<Link>> links_;
    std::vector<Member> members_;
    bool refused_ = false;
    bool silent_ = false;
    bool playing_ = false;
    std::function<bool(int)> beforeAnswer_;
    std::function<void()> wake_;  // the running wait's check
    std::vector<Received> inbox_;
    std::vector<std::uint8_t> firstFullState_;
    std::unique_ptr<Game> known_;
    int ownState_ = 0;
    PlayerId server_ = 0;
};

}  // namespace korvant::test
