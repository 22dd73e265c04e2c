#include "game/wait_poll.h"

#include "net/persons.h"
#include "net/senders.h"

namespace korvant {

WaitPoll::WaitPoll(NetContext& net, WaitPage page) : net_(net), page_(page) {
    if (page != WaitPage::ServerWait) return;
    for (int s = 1; s <= net.game.GosCount; ++s) {
        const TGos& gos = net.game.mGos[s];
        if (gos.Human != 0 && gos.Alive == 1) entries_.push_back({PlayerOf(gos), gos.PlayerName.utf8(), false});
    }
}

bool WaitPoll::Finished(PlayerId id) const {
    const NetMember* m = net_.model.Find(id);
    return m && m->turnFinished;
}

bool WaitPoll::Tick() {
    if (net_.model.Ended()) return true;
    switch (page_) {
        case WaitPage::ClientWait:
            // A client that has taken the server role over waits for nobody's data.
            return net_.model.turnResultReceived || net_.model.fullStateReceived || net_.game.GameMode == ModeNetServer;
        case WaitPage::ServerWait: return TickServerWait();
        case WaitPage::ServerClose: return TickServerClose();
    }
    return false;
}

bool WaitPoll::TickServerWait() {
    // The server sends a year's data (or hands its role over) only once everybody ended his turn;
    // it may come before this poll saw the last turn end.
    if (net_.model.turnResultReceived || net_.model.fullStateReceived) return true;
    if (entries_.empty()) {
        // Nobody to wait for: the game is over here.
        net_.model.End(NetEnd::Aborted);
        return true;
    }
    // Only states a person still plays are waited for: one who left is the computer's now.
    bool everyoneDone = true;
    for (int s = 1; s <= net_.game.GosCount; ++s) {
        const TGos& gos = net_.game.mGos[s];
        if (!LivingPerson(gos)) continue;
        if (!Finished(PlayerOf(gos))) everyoneDone = false;
    }
    bool allTicked = true;
    for (Entry& e : entries_) allTicked &= (e.ticked = e.ticked || Finished(e.id));
    return everyoneDone || allTicked;
}

// The role goes to the first person who ended his turn, but only once every other person has
// ended his: their turns went to this computer, and the full state carries them to the next
// server. The wait goes on while the block cannot go out.
bool WaitPoll::TickServerClose() {
    const Game& game = net_.game;
    if (successor_ != 0 && StateOf(game, successor_) == 0) successor_ = 0;  // he left meanwhile
    bool othersDone = true;
    bool anyone = false;
    for (int s = 1; s <= game.GosCount; ++s) {
        const TGos& gos = game.mGos[s];
        if (!LivingPerson(gos) || s == game.CurGos) continue;
        anyone = true;
        if (!Finished(PlayerOf(gos)))
            othersDone = false;
        else if (successor_ == 0)
            successor_ = PlayerOf(gos);
    }
    if (!anyone) return true;  // nobody left to go on: nothing to hand over
    return othersDone && successor_ != 0 && SendFullState(net_, successor_);
}

void WaitPoll::Abort() {
    if (net_.game.GameMode == ModeNetServer)
        SendGameOver(net_);
    else
        SendLeave(net_);
    net_.model.End(NetEnd::Aborted);
}

}  // namespace korvant
