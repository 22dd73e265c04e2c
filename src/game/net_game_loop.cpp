#include "game/net_game_loop.h"

#include "core/state_fields.h"
#include "core/state_guard.h"
#include "game/simulate_year.h"
#include "game/turn_cycle.h"
#include "net/persons.h"
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
        if (s != own && game.mGos[s].Human != 0 && game.mGos[s].Alive != 0) return PlayerId(game.mGos[s].Human);
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
    if (heir != 0 && SendFullState(net, heir)) game.GameMode = ModeNetClient;
    else SendTurnResults(net);
    SendLeave(net);
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

    for (;;) {
        if (game.GameMode == ModeNetClient) Wait(net, windows, WaitPage::ClientWait);
        if (Stopped(net)) return WhyStopped(net);
        const int own = StateOf(game, net.session.LocalId());
        if (own != 0) {
            // A whole change: each computer checks its whole state once a year, as the year's
            // other changes here and the small blocks name their few fields.
            const StateChange change(game);
            game.CurGos = uint8_t(own);
        }
        if (game.GameMode == ModeNetServer) {
            net.model.serverId = net.session.LocalId();
            if (net.model.netTurns == 0) {
                SendFullState(net);
            } else {
                windows.Pause(options.serverPause);
                SendTurnResults(net);
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
            const StateChange change(game, state::MaskOf(std::tuple{state::States}));
            game.mGos[s].Delegated = result == ModalResult::ToComputer ? 1 : 0;
        }
        if (game.GameMode == ModeNetClient) SendPlayerTurn(net);
        SendTurnDone(net);
        const int yearPlayed = game.Year;
        const WaitResult waited = Wait(net, windows, WaitPage::ServerWait);
        if (waited == WaitResult::Aborted || Stopped(net)) return WhyStopped(net);
        // The year's results (or the full state of a server whose state fell) may arrive before
        // this wait has seen the last turn end: they are kept, and the next pass takes them.
        if (game.Year != yearPlayed) continue;
        {
            const StateChange change(game, state::MaskOf(std::tuple{state::States, state::Messages, state::Chronicle}));
            if (game.GameMode == ModeNetClient)
                for (int k = 1; k <= game.GosCount; ++k) game.mGos[k].Captured = 0;
            game.MesList.Clear();
            game.Chronicle.clear();
        }
        if (game.GameMode != ModeNetServer) continue;

        if (options.simulationBegins) options.simulationBegins();
        SimulateYear(game, {}, PeoplesMoves::FromBlocks);
        if (options.simulationEnds) options.simulationEnds();
        if (!Alive(game, s)) {
            ServerDefeated(net, s);
            ShowDefeat(game, s);
            game.Ui->ShowCharts();
            return NetGameEnd::Defeated;
        }
        // The end of the game is found at the next pass, once the clients have the year's
        // results too.
    }
}

}  // namespace korvant
