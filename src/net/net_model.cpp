#include "net/net_model.h"

#include <algorithm>

namespace korvant {

void NetModel::SetRoster(const std::vector<SessionPlayer>& players) {
    roster.clear();
    for (const SessionPlayer& p : players) Add(p);
}

void NetModel::Add(const SessionPlayer& player) {
    if (Listed(player.Id)) return;
    roster.push_back({player.Id, player.Name, player.Remote, false, false, false});
}

void NetModel::Remove(PlayerId id) {
    std::erase_if(roster, [&](const NetMember& m) { return m.id == id; });
}

NetMember* NetModel::Find(PlayerId id) {
    auto it = std::ranges::find(roster, id, &NetMember::id);
    return it == roster.end() ? nullptr : &*it;
}

const NetMember* NetModel::Find(PlayerId id) const { return const_cast<NetModel*>(this)->Find(id); }

std::string NetModel::NameOf(PlayerId id) const {
    const NetMember* m = Find(id);
    return m ? m->name : std::string();
}

bool NetModel::EveryoneReady() const { return !roster.empty() && std::ranges::all_of(roster, &NetMember::ready); }

void NetModel::SetEveryoneReady(bool on) {
    for (NetMember& m : roster) m.ready = on;
}

void NetModel::ClearTurns() {
    for (NetMember& m : roster) m.turnFinished = m.turnReceived = false;
}

void NetModel::ResetGame() {
    // What lasts from one game to the next is named here; everything else starts anew, also what
    // a later change adds to the model.
    NetModel next;
    next.phase = phase;
    next.serverId = serverId;
    next.lobbyServerId = lobbyServerId;
    next.ready = ready;
    next.roster = std::move(roster);
    next.refusalsShown_ = std::move(refusalsShown_);
    next.ClearTurns();
    *this = std::move(next);
}

}  // namespace korvant
