#pragma once
// Sessions of a few computers inside one test, without Qt or sockets. The network keeps one queue
// of events: blocks to others, players joining and leaving wait there until Deliver hands them
// over in order, as the event loop would; a block to oneself reaches the listener at once, inside
// Send. Every block sent is also kept for inspection. The window tests deliver from the Qt event
// loop with EventLoopDelivery (support/session/event_loop_delivery.h).
#include <cstdint>
#include <deque>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "net/session.h"

namespace korvant::test {

class FakeNetwork;

class FakeSession final : public Session {
public:
    struct Sent {
        PlayerId to;
        std::vector<uint8_t> block;
    };

    explicit FakeSession(FakeNetwork& network) : network_(network) {}

    // Joins the session, as a computer of the network would: OnOpen and OnAddPlayer for this
    // player at once, the others hear of him when the events are delivered. A session that has
    // the most players it may have reports SessionFull instead.
    void Open(const std::string& name);
    // This computer is cut off: OnSessionLost here, OnDeletePlayer everywhere else.
    void Lose();

    bool IsOpen() const override { return id_ != 0; }
    PlayerId LocalId() const override { return id_; }
    std::vector<SessionPlayer> Players() const override;
    SendResult Send(PlayerId to, std::span<const uint8_t> block) override;
    // The others hear that he left; nothing more reaches this computer, not even waiting events.
    void Close() override;

    SessionListener* Listener() const { return listener_; }
    std::vector<Sent> sent;  // what went out, in the order sent

private:
    friend class FakeNetwork;
    void Seat(PlayerId id, const std::string& name);
    void Leave();

    FakeNetwork& network_;
    PlayerId id_ = 0;
    std::string name_;
    std::vector<SessionPlayer> roster_;  // as the events delivered here told it
};

class FakeNetwork {
public:
    // A computer already in the session, with the next id (1, 2, ...), listed at once by every
    // computer present and they by him; no listener hears of it, so a test tells the events it
    // means. The session stays valid as long as the network.
    FakeSession& Join(const std::string& name);
    // A computer not in the session yet: its Open joins it.
    FakeSession& NewSession();

    // Hands every waiting event to its computer, also those queued meanwhile.
    void Deliver();
    bool Pending() const { return !queue_.empty(); }

    // Called whenever an event is queued: the Qt adapter schedules a delivery from the event loop.
    std::function<void()> onQueued;
    int maxPlayers = MaxSessionPlayers;

private:
    friend class FakeSession;
    struct Event {
        enum Kind { Message, Add, Delete } kind;
        PlayerId to;
        SessionPlayer player;  // the sender of a message, who joined or left
        std::vector<uint8_t> block;
    };
    void Post(Event e);
    FakeSession* Find(PlayerId id) const;

    std::vector<std::unique_ptr<FakeSession>> sessions_;
    std::vector<FakeSession*> present_;  // the session's computers, in joining order
    std::deque<Event> queue_;
    PlayerId lastId_ = 0;
};

}  // namespace korvant::test
