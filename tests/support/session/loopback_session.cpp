#include "support/session/loopback_session.h"

#include <QRandomGenerator>
#include <QTimer>
#include <algorithm>

namespace korvant {

void LoopbackHub::Post(PlayerId to, std::function<void(LoopbackSession&)> run) {
    queue_.push_back({to, std::move(run)});
    if (!scheduled_) {
        scheduled_ = true;
        QTimer::singleShot(0, this, [this] { DeliverPending(); });
    }
}

void LoopbackHub::DeliverPending() {
    scheduled_ = false;
    while (!queue_.empty()) {
        Event e = std::move(queue_.front());
        queue_.pop_front();
        // A session that left meanwhile gets nothing more.
        if (LoopbackSession* s = Find(e.To)) e.Run(*s);
    }
}

LoopbackSession* LoopbackHub::Find(PlayerId id) const {
    auto it = std::ranges::find_if(roster_, [&](const LoopbackSession* s) { return s->LocalId() == id; });
    return it == roster_.end() ? nullptr : *it;
}

void LoopbackSession::Open(const std::string& name) {
    Close();
    if (hub_.roster_.size() >= std::size_t(MaxSessionPlayers)) {
        if (listener_) listener_->OnOpenFailed(OpenError::SessionFull);
        return;
    }
    PlayerId id = 0;
    while (id == 0 || hub_.Find(id)) id = QRandomGenerator::global()->generate();
    id_ = id;
    name_ = name;
    SessionPlayer me{id_, name_, true};
    for (LoopbackSession* other : hub_.roster_) {
        hub_.Post(other->id_, [me](LoopbackSession& s) {
            if (s.listener_) s.listener_->OnAddPlayer(me);
        });
    }
    hub_.roster_.push_back(this);
    if (listener_) listener_->OnOpen();
    if (listener_ && id_ == id) listener_->OnAddPlayer({id_, name_, false});
}

std::vector<SessionPlayer> LoopbackSession::Players() const {
    std::vector<SessionPlayer> out;
    if (!IsOpen()) return out;
    for (const LoopbackSession* s : hub_.roster_) out.push_back({s->id_, s->name_, s != this});
    return out;
}

SendResult LoopbackSession::Send(PlayerId to, std::span<const std::uint8_t> block) {
    if (block.size() < MinBlockBytes) return SendResult::IllegalForm;
    if (!IsOpen()) return SendResult::NotOpen;
    if (to == id_) {
        if (listener_) listener_->OnMessage(id_, block);
        return SendResult::Sent;
    }
    if (to != ToAllOthers && !hub_.Find(to)) return SendResult::UnknownPlayer;
    std::vector<std::uint8_t> copy(block.begin(), block.end());
    PlayerId from = id_;
    for (const LoopbackSession* s : hub_.roster_) {
        if (s == this || (to != ToAllOthers && s->id_ != to)) continue;
        hub_.Post(s->id_, [from, copy](LoopbackSession& r) {
            if (r.listener_) r.listener_->OnMessage(from, copy);
        });
    }
    return SendResult::Sent;
}

void LoopbackSession::Leave() {
    SessionPlayer me{id_, name_, true};
    std::erase(hub_.roster_, this);
    for (LoopbackSession* other : hub_.roster_) {
        hub_.Post(other->id_, [me](LoopbackSession& s) {
            if (s.listener_) s.listener_->OnDeletePlayer(me);
        });
    }
    id_ = 0;
}

void LoopbackSession::Close() {
    if (IsOpen()) Leave();
}

void LoopbackSession::Lose() {
    if (!IsOpen()) return;
    Leave();
    if (listener_) listener_->OnSessionLost();
}

}  // namespace korvant
