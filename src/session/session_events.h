#pragma once
// The queue between a session's network handling and its listener: events wait here and are
// delivered from the event loop one per pass, never from inside the handling of a connection, so
// the listener may open a box (a nested event loop) in any of them. Each event may carry the roster
// as it stands once delivered; Shown() is the roster the listener has been told.
#include <QObject>
#include <deque>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "net/session.h"

namespace korvant {

struct SessionBlock {
    PlayerId From = 0;
    std::vector<std::uint8_t> Block;
};

struct SessionEvent {
    enum class Kind { Open, OpenFailed, AddPlayer, DeletePlayer, Message, SessionLost } What;
    SessionPlayer Player{};  // AddPlayer, DeletePlayer; Open: the local player
    OpenError Error{};       // OpenFailed
    SessionBlock Block{};    // Message
};

// A player of the roster with his place in the joining order.
struct PlacedPlayer {
    PlayerId Id = 0;
    const std::string* Name = nullptr;
    std::uint32_t Seq = 0;
};
// The other players, in joining order, with the local player put in at his own place.
std::vector<SessionPlayer> JoiningOrder(const std::vector<PlacedPlayer>& others, const PlacedPlayer& local);

// What every session does first with a block to send: the checks of its size and of the open
// session, and a block to oneself, heard at once inside Send. Nothing when it must go to others.
std::optional<SendResult> SendFirst(std::span<const std::uint8_t> block, bool open, PlayerId to, PlayerId self,
                                    SessionListener* listener);

class SessionEvents final : public QObject {
public:
    // `listener` is the session's own pointer, read at each delivery.
    explicit SessionEvents(SessionListener*& listener) : listener_(listener) {}

    // Queues an event; with `roster`, Players() shows it once the event is delivered.
    void Tell(SessionEvent e, std::optional<std::vector<SessionPlayer>> roster = std::nullopt);
    // Delivers every queued event now: only where the caller is the game itself (Create).
    void DeliverAll();
    // Forgets what waits and what was shown (the session closed).
    void Clear();
    const std::vector<SessionPlayer>& Shown() const { return shown_; }

private:
    struct Queued {
        SessionEvent Event;
        std::optional<std::vector<SessionPlayer>> Roster;
    };
    void DeliverNext();
    void Schedule();

    SessionListener*& listener_;
    std::deque<Queued> queue_;
    std::vector<SessionPlayer> shown_;
    bool scheduled_ = false;
};

}  // namespace korvant
