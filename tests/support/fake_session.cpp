#include "support/fake_session.h"

namespace korvant::test {

std::vector<SessionPlayer> FakeSession::Players() const {
    std::vector<SessionPlayer> players = network_.players;
    for (SessionPlayer& p : players) p.Remote = p.Id != id_;
    return players;
}

SendResult FakeSession::Send(PlayerId to, std::span<const uint8_t> block) {
    if (block.size() < MinBlockBytes) return SendResult::IllegalForm;
    sent.push_back({to, {block.begin(), block.end()}});
    if (to == id_) {
        if (listener_) listener_->OnMessage(id_, block);
        return SendResult::Sent;
    }
    bool known = to == ToAllOthers;
    for (const SessionPlayer& p : network_.players) {
        if (p.Id == id_ || (to != ToAllOthers && to != p.Id)) continue;
        network_.queue_.push_back({id_, p.Id, sent.back().block});
        known = true;
    }
    return known ? SendResult::Sent : SendResult::UnknownPlayer;
}

FakeSession& FakeNetwork::Join(const std::string& name) {
    const PlayerId id = PlayerId(sessions_.size() + 1);
    players.push_back({id, name, false});
    sessions_.push_back(std::make_unique<FakeSession>(*this, id));
    return *sessions_.back();
}

void FakeNetwork::Deliver() {
    while (!queue_.empty()) {
        const Pending next = std::move(queue_.front());
        queue_.pop_front();
        SessionListener* listener = sessions_[next.to - 1]->Listener();
        if (listener) listener->OnMessage(next.from, next.block);
    }
}

}  // namespace korvant::test
