#pragma once
// Sessions inside one process, for tests of the layers above the session: a hub stands for the
// network, and every event reaches its session through the Qt event loop (or DeliverPending), as
// it would over TCP. Sends to oneself run at once, inside the send call.
#include <QObject>
#include <deque>
#include <functional>
#include <vector>

#include "net/session.h"

namespace korvant {

class LoopbackSession;

class LoopbackHub final : public QObject {
public:
    // Runs every queued event now, including those the events queue in turn.
    void DeliverPending();

private:
    friend class LoopbackSession;
    struct Event {
        PlayerId To;
        std::function<void(LoopbackSession&)> Run;
    };
    void Post(PlayerId to, std::function<void(LoopbackSession&)> run);
    LoopbackSession* Find(PlayerId id) const;

    std::vector<LoopbackSession*> roster_;  // in joining order
    std::deque<Event> queue_;
    bool scheduled_ = false;
};

class LoopbackSession final : public Session {
public:
    explicit LoopbackSession(LoopbackHub& hub) : hub_(hub) {}
    ~LoopbackSession() override { Close(); }

    // Joins the hub's session (the first one creates it). OnOpen and OnAddPlayer for this player run
    // at once; the others hear of him through the event loop. A full session reports SessionFull.
    void Open(const std::string& name);
    // This computer is cut off: OnSessionLost here, OnDeletePlayer everywhere else.
    void Lose();

    bool IsOpen() const override { return id_ != 0; }
    PlayerId LocalId() const override { return id_; }
    std::vector<SessionPlayer> Players() const override;
    SendResult Send(PlayerId to, std::span<const std::uint8_t> block) override;
    void Close() override;

private:
    void Leave();

    LoopbackHub& hub_;
    PlayerId id_ = 0;
    std::string name_;
};

}  // namespace korvant
