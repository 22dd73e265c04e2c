#include "session/session_events.h"

#include "wire/frame_reader.h"

namespace korvant {

std::vector<SessionPlayer> JoiningOrder(const std::vector<PlacedPlayer>& others, const PlacedPlayer& local) {
    std::vector<SessionPlayer> out;
    bool localListed = false;
    for (const PlacedPlayer& p : others) {
        if (!localListed && p.Seq > local.Seq) {
            out.push_back({local.Id, *local.Name, false});
            localListed = true;
        }
        out.push_back({p.Id, *p.Name, true});
    }
    if (!localListed) out.push_back({local.Id, *local.Name, false});
    return out;
}

std::optional<SendResult> SendFirst(std::span<const std::uint8_t> block, bool open, PlayerId to, PlayerId self,
                                    SessionListener* listener) {
    if (block.size() < MinBlockBytes) return SendResult::IllegalForm;
    if (block.size() >= wire::MaxFrameBytes) return SendResult::TooLarge;
    if (!open) return SendResult::NotOpen;
    if (to != self) return std::nullopt;
    if (listener) listener->OnMessage(self, block);
    return SendResult::Sent;
}

void SessionEvents::Tell(SessionEvent e, std::optional<std::vector<SessionPlayer>> roster) {
    queue_.push_back({std::move(e), std::move(roster)});
    Schedule();
}

void SessionEvents::Schedule() {
    if (scheduled_) return;
    scheduled_ = true;
    QMetaObject::invokeMethod(this, &SessionEvents::DeliverNext, Qt::QueuedConnection);
}

void SessionEvents::DeliverNext() {
    scheduled_ = false;
    if (queue_.empty()) return;
    Queued q = std::move(queue_.front());
    queue_.pop_front();
    if (q.Roster) shown_ = std::move(*q.Roster);
    // The next one may be delivered inside a nested event loop of this one's listener: blocks
    // must reach the game while its boxes and waits run.
    if (!queue_.empty()) Schedule();
    if (!listener_) return;
    SessionEvent& e = q.Event;
    using Kind = SessionEvent::Kind;
    switch (e.What) {
        case Kind::Open:
            // The local player is reported at once, unless the listener closed the session meanwhile.
            listener_->OnOpen();
            if (listener_ && !shown_.empty()) listener_->OnAddPlayer(e.Player);
            return;
        case Kind::OpenFailed: return listener_->OnOpenFailed(e.Error);
        case Kind::AddPlayer: return listener_->OnAddPlayer(e.Player);
        case Kind::DeletePlayer: return listener_->OnDeletePlayer(e.Player);
        case Kind::Message: return listener_->OnMessage(e.Block.From, e.Block.Block);
        case Kind::SessionLost: return listener_->OnSessionLost();
    }
}

void SessionEvents::DeliverAll() {
    while (!queue_.empty()) DeliverNext();
}

void SessionEvents::Clear() {
    queue_.clear();
    shown_.clear();
}

}  // namespace korvant
