#include "game/net_game_loop.h"

#include "core/state_guard.h"
#include "game/simulate_year.h"
#include "game/turn_cycle.h"
#include "net/persons.h"
#include "net/rejoin.h"
#include "net/senders.h"
#include "sim/last_battle.h"

namespace korvant {

namespace {

bool Alive(const Game& game, int s) { return s >= 1 && s <= game.GosCount && game.mGos[s].Alive != 0; }

bool Stopped(const NetContext& net) { return net.model.Ended(); }

NetGameEnd WhyStopped(const NetContext& net) {
    switch (net.model.end) {
        case NetEnd::EndedByServer: return NetGameEnd::EndedByServer;
        case NetEnd::SessionLost: return NetGameEnd::SessionLost;
        case NetEnd::ServerLost: return NetGameEnd::ServerLost;
        case NetEnd::Aborted:
        case NetEnd::None: break;
    }
    return NetGameEnd::Aborted;
}

WaitResult Wait(NetContext& net, NetGameWindows& windows, WaitPage page) {
    WaitPoll poll(net, page);
    if (poll.Tick()) return WaitResult::Closed;
    return windows.Wait(poll);
}

// The first living person's player in state order, other than this computer's.
PlayerId FirstLivingPerson(const Game& game, int own) {
    for (int s = 1; s <= game.GosCount; ++s)
        if (s != own && LivingPerson(game.mGos[s])) return PlayerOf(game.mGos[s]);
    return 0;
}

// Leaving the game from the command screen.
void Quit(NetContext& net, NetGameWindows& windows) {
    Game& game = net.game;
    if (game.GameMode != ModeNetServer) {
        SendLeave(net);
    } else if (LivingPersons(game) < 2) {
        SendLeave(net);
    } else if (game.Ui->AskYesNo(game.Msg(Msg::AskOthersGoOn))) {
        // The role moves on only once the full state went out to the heir.
        if (Wait(net, windows, WaitPage::ServerClose) == WaitResult::Aborted || Stopped(net)) return;
        game.GameMode = ModeNetClient;
        SendLeave(net);
    } else {
        SendGameOver(net);
        net.model.End(NetEnd::EndedByServer);
    }
}

// The server's own state fell in the year just computed: its role goes to the first living
// person with the full state; with nobody left, or in the last year, everybody gets the results.
// It leaves the game as well, so that the others know their server has not vanished.
void ServerDefeated(NetContext& net, int own) {
    Game& game = net.game;
    PlayerId heir = game.Year >= MaxYears ? 0 : FirstLivingPerson(game, own);
    // A hand-over that could not go out leaves the role here: the results go to everybody.
    if (heir != 0 && SendFullState(net, heir))
        game.GameMode = ModeNetClient;
    else
        SendTurnResults(net);
    SendLeave(net);
}

// The wait for every person's turn; false when the game ended meanwhile or was aborted.
bool WaitForTheYear(NetContext& net, NetGameWindows& windows) {
    return Wait(net, windows, WaitPage::ServerWait) != WaitResult::Aborted && !Stopped(net);
}

void ClearTheYearsNews(Game& game) {
    const StateChange change(game);
    game.MesList.Clear();
    game.Chronicle.clear();
}

// The server computes the year. False when its own state `s` fell in it: its role has moved on.
// A server that took the role over may find the year's results already here.
bool ComputeTheYear(NetContext& net, int s, const NetGameOptions& options) {
    Game& game = net.game;
    ClearTheYearsNews(game);
    if (options.simulationBegins) options.simulationBegins();
    SimulateYear(game, {}, PeoplesMoves::FromBlocks);
    if (options.simulationEnds) options.simulationEnds();
    if (!Alive(game, s)) {
        ServerDefeated(net, s);
        ShowDefeat(game, s);
        game.Ui->ShowCharts();
        return false;
    }
    // The end of the game is found at the next pass, once the clients have the year's results too.
    return true;
}

}  // namespace

NetGameEnd NetGameLoop(NetContext& net, NetGameWindows& windows, const NetGameOptions& options) {
    Game& game = net.game;
    GuardedGame guarded(game);
    net.model.end = NetEnd::None;
    {
        const StateChange change(game);
        for (int s = 1; s <= game.GosCount; ++s)
            if (game.mGos[s].Human != 0) game.mGos[s].Captured = 0;
    }
    if (game.GameMode != ModeNetServer && game.GameMode != ModeNetClient) return NetGameEnd::NotANetGame;

    int yearPlayed = 0;  // the year whose turn this computer's person has played
    for (;;) {
        if (game.GameMode == ModeNetClient) Wait(net, windows, WaitPage::ClientWait);
        if (Stopped(net)) return WhyStopped(net);
        const int own = StateOf(game, net.session.LocalId());
        if (own != 0) {
            const StateChange change(game);
            game.CurGos = uint8_t(own);
        }
        // Having taken the server role over in a year whose turn it has played, this computer
        // waits for the others' turns of that year again and computes it.
        if (game.GameMode == ModeNetServer && game.Year == yearPlayed) {
            net.model.fullStateReceived = net.model.turnResultReceived = false;
            if (!WaitForTheYear(net, windows)) return WhyStopped(net);
            if (!ComputeTheYear(net, game.CurGos, options)) return NetGameEnd::Defeated;
            continue;
        }
        if (game.GameMode == ModeNetServer) {
            net.model.serverId = net.session.LocalId();
            // The backup goes before the year's data: whoever has the data, the heir has the game.
            if (net.model.netTurns == 0) {
                SendBackup(net);
                SendFullState(net);
            } else {
                windows.Pause(options.serverPause);
                const std::vector<PlayerId> seated = SeatRejoiners(net);
                SendBackup(net);
                SendTurnResults(net, seated);
                for (PlayerId id : seated) SendFullStateTo(net, id);
            }
            // A new year's persons' phase: no turn has ended yet.
            net.model.ClearTurns();
        }
        net.model.fullStateReceived = false;
        net.model.turnResultReceived = false;
        if (options.yearBegins && !options.yearBegins(net)) return NetGameEnd::Stopped;

        const int s = game.CurGos;
        if (!Alive(game, s)) {
            if (s >= 1 && s <= game.GosCount) ShowDefeat(game, s);
            CheckGameEnd(game);
            game.Ui->ShowCharts();
            return NetGameEnd::Defeated;
        }
        if (CheckGameEnd(game)) return NetGameEnd::Over;

        GatherTroops(game, s);
        const ModalResult result = game.Ui->CommandScreen();
        net.model.netTurns += 1;
        if (result == ModalResult::Quit) {
            Quit(net, windows);
            return NetGameEnd::Quit;
        }
        // The game ended under the command screen (by the server, the session or a vanished
        // server, which has been reported): nothing to send.
        if (Stopped(net)) return WhyStopped(net);
        if (result == ModalResult::EndTurn) SettleTroops(game, s);
        {
            const StateChange change(game);
            game.mGos[s].Delegated = result == ModalResult::ToComputer ? 1 : 0;
        }
        if (game.GameMode == ModeNetClient) SendPlayerTurn(net);
        SendTurnDone(net);
        yearPlayed = game.Year;
        if (!WaitForTheYear(net, windows)) return WhyStopped(net);
        // The year's results (or the full state of a server whose state fell) may arrive before
        // this wait has seen the last turn end: they are kept, and the next pass takes them.
        if (game.Year != yearPlayed) continue;
        {
            const StateChange change(game);
            if (game.GameMode == ModeNetClient)
                for (int k = 1; k <= game.GosCount; ++k) game.mGos[k].Captured = 0;
        }
        if (game.GameMode != ModeNetServer) {
            ClearTheYearsNews(game);
            continue;
        }
        if (!ComputeTheYear(net, s, options)) return NetGameEnd::Defeated;
    }
}

}  // namespace korvant
