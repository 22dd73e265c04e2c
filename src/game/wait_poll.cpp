#include "game/wait_poll.h"

#include "net/player_names.h"
#include "net/senders.h"

namespace korvant {

namespace {

bool livingPerson(const TGos& gos) { return gos.Human != 0 && gos.Alive != 0; }

}  // namespace

int LivingPersons(const Game& game) {
    int n = 0;
    for (int s = 1; s <= game.GosCount; ++s) n += livingPerson(game.mGos[s]) ? 1 : 0;
    return n;
}

WaitPoll::WaitPoll(NetContext& net, WaitPage page) : net_(net), page_(page) {
    if (page != WaitPage::ServerWait) return;
    for (int s = 1; s <= net.game.GosCount; ++s) {
        const TGos& gos = net.game.mGos[s];
        if (gos.Human != 0 && gos.Alive == 1) entries_.push_back({gos.PlayerName.utf8(), false});
    }
}

bool WaitPoll::Tick() {
    if (net_.game.NetEndFlag != 0 || net_.flags.ServerLost) return true;
    switch (page_) {
    case WaitPage::ClientWait:
        return net_.flags.TurnResultReceived || net_.flags.FullStateReceived;
    case WaitPage::ServerWait:
        return TickServerWait();
    case WaitPage::ServerClose:
        return TickServerClose();
    }
    return false;
}

bool WaitPoll::TickServerWait() {
    // The server sends a year's data (or hands its role over) only once everybody ended his turn;
    // it may come before this poll saw the last turn end, and it resets the marks.
    if (net_.flags.TurnResultReceived || net_.flags.FullStateReceived) return true;
    if (entries_.empty()) {
        // Nobody to wait for: the game is over here.
        net_.game.NetEndFlag = 2;
        return true;
    }
    // Only states a person still plays are waited for: one who left is the computer's now.
    bool everyoneDone = true;
    for (int s = 1; s <= net_.game.GosCount; ++s) {
        const TGos& gos = net_.game.mGos[s];
        if (!livingPerson(gos)) continue;
        if (gos.Captured != TurnFinishedMark) {
            everyoneDone = false;
            continue;
        }
        for (Entry& e : entries_)
            if (SameName(e.name, gos.PlayerName.utf8())) e.ticked = true;
    }
    bool allTicked = true;
    for (const Entry& e : entries_) allTicked &= e.ticked;
    return everyoneDone || allTicked;
}

// The role goes to the first person who ended his turn, but only once every other person has
// ended his: their turns went to this computer, and the full state carries them to the next server.
bool WaitPoll::TickServerClose() {
    const Game& game = net_.game;
    bool othersDone = true;
    for (int s = 1; s <= game.GosCount; ++s) {
        const TGos& gos = game.mGos[s];
        if (!livingPerson(gos) || s == game.CurGos) continue;
        if (gos.Captured != TurnFinishedMark) othersDone = false;
        else if (successor_ == 0) successor_ = s;
    }
    if (successor_ == 0 || !othersDone) return false;
    const PlayerId heir = PlayerId(game.mGos[successor_].Human);
    if (heir == 0) {
        successor_ = 0;  // he left meanwhile; the next one who ended takes it
        return false;
    }
    SendFullState(net_, heir);
    return true;
}

void WaitPoll::Abort() {
    if (net_.game.GameMode == ModeNetServer) SendGameOver(net_);
    else SendLeave(net_);
    net_.game.NetEndFlag = 2;
}

}  // namespace korvant
