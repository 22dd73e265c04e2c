#include "support/fake_session.h"

#include <algorithm>

namespace korvant::test {

void FakeSession::Seat(PlayerId id, const std::string& name) {
    id_ = id;
    name_ = name;
    roster_.clear();
    for (const FakeSession* s : network_.present_) roster_.push_back({s->id_, s->name_, true});
    roster_.push_back({id_, name_, false});
    network_.present_.push_back(this);
}

void FakeSession::Open(const std::string& name) {
    Close();
    if (network_.present_.size() >= std::size_t(network_.maxPlayers)) {
        if (listener_) listener_->OnOpenFailed(OpenError::SessionFull);
        return;
    }
    const PlayerId id = ++network_.lastId_;
    for (const FakeSession* other : network_.present_)
        network_.Post({FakeNetwork::Event::Add, other->id_, {id, name, true}, {}});
    Seat(id, name);
    if (listener_) listener_->OnOpen();
    // The listener may have closed the session in OnOpen.
    if (listener_ && id_ == id) listener_->OnAddPlayer({id_, name_, false});
}

std::vector<SessionPlayer> FakeSession::Players() const { return roster_; }

SendResult FakeSession::Send(PlayerId to, std::span<const uint8_t> block) {
    if (block.size() < MinBlockBytes) return SendResult::IllegalForm;
    if (!IsOpen()) return SendResult::NotOpen;
    if (to == id_) {
        sent.push_back({to, {block.begin(), block.end()}});
        if (listener_) listener_->OnMessage(id_, block);
        return SendResult::Sent;
    }
    if (to != ToAllOthers && !network_.Find(to)) return SendResult::UnknownPlayer;
    sent.push_back({to, {block.begin(), block.end()}});
    for (const FakeSession* s : network_.present_) {
        if (s == this || (to != ToAllOthers && s->id_ != to)) continue;
        network_.Post({FakeNetwork::Event::Message, s->id_, {id_, name_, true}, sent.back().block});
    }
    return SendResult::Sent;
}

void FakeSession::Leave() {
    std::erase(network_.present_, this);
    for (const FakeSession* other : network_.present_)
        network_.Post({FakeNetwork::Event::Delete, other->id_, {id_, name_, true}, {}});
    id_ = 0;
    roster_.clear();
}

void FakeSession::Close() {
    if (IsOpen()) Leave();
}

void FakeSession::Lose() {
    if (!IsOpen()) return;
    Leave();
    if (listener_) listener_->OnSessionLost();
}

FakeSession& FakeNetwork::Join(const std::string& name) {
    FakeSession& s = NewSession();
    const PlayerId id = ++lastId_;
    for (FakeSession* other : present_) other->roster_.push_back({id, name, true});
    s.Seat(id, name);
    return s;
}

FakeSession& FakeNetwork::NewSession() {
    sessions_.push_back(std::make_unique<FakeSession>(*this));
    return *sessions_.back();
}

void FakeNetwork::Post(Event e) {
    queue_.push_back(std::move(e));
    if (onQueued) onQueued();
}

FakeSession* FakeNetwork::Find(PlayerId id) const {
    auto it = std::ranges::find(present_, id, &FakeSession::id_);
    return it == present_.end() ? nullptr : *it;
}

void FakeNetwork::Deliver() {
    // A listener may deliver again from inside an event (a nested event loop): each event is
    // taken off the queue before it runs, so every one runs once and in order.
    while (!queue_.empty()) {
        Event e = std::move(queue_.front());
        queue_.pop_front();
        FakeSession* s = Find(e.to);
        if (!s) continue;  // he left meanwhile, or never listened: nothing reaches him
        if (e.kind == Event::Add) s->roster_.push_back(e.player);
        if (e.kind == Event::Delete) std::erase_if(s->roster_, [&](const auto& p) { return p.Id == e.player.Id; });
        SessionListener* listener = s->listener_;
        if (!listener) continue;
        switch (e.kind) {
            case Event::Message: listener->OnMessage(e.player.Id, e.block); break;
            case Event::Add: listener->OnAddPlayer(e.player); break;
            case Event::Delete: listener->OnDeletePlayer(e.player); break;
        }
    }
}

}  // namespace korvant::test
