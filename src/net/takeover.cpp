#include "net/takeover.h"

#include <array>
#include <optional>

#include "core/colors.h"
#include "core/state_guard.h"
#include "net/backup_block.h"
#include "net/block_kind.h"
#include "net/persons.h"
#include "net/senders.h"
#include "net/turn_result_block.h"

namespace korvant {

namespace {

// A state's record and its general slots: what a person's turn changes.
struct OwnTurn {
    TGos record;
    std::array<TCommander, GeneralsPerState> generals;
};

OwnTurn TakeTurn(const Game& game, int s) {
    OwnTurn turn{game.mGos[s], {}};
    for (int i = 0; i < GeneralsPerState; ++i) turn.generals[i] = game.mGeneral[s + i * MaxStates];
    return turn;
}

void PutTurn(const OwnTurn& turn, Game& game, int s) {
    game.mGos[s] = turn.record;
    for (int i = 0; i < GeneralsPerState; ++i) game.mGeneral[s + i * MaxStates] = turn.generals[i];
}

}  // namespace

bool TakeOver(NetContext& net) {
    Game& game = net.game;
    NetModel& model = net.model;
    const PlayerId self = net.session.LocalId();
    if (model.backup.empty()) return false;
    Backup backup;
    try {
        backup = DecodeBackup(model.backup);
    } catch (const BlockError&) {
        return false;
    }
    const Game& saved = *backup.game;
    // The backup goes out before the year's results, so it is of this year or of the next.
    const bool sameYear = saved.Year == game.Year;
    if (!sameYear && saved.Year != game.Year + 1) return false;
    const int own = StateOf(saved, self);
    if (own == 0 || saved.mGos[own].Alive == 0) return false;
    {
        const StateChange change(game);
        // This person's turn of the year, ended or still being made, stays as he made it.
        std::optional<OwnTurn> turn;
        if (sameYear && game.CurGos == own) turn = TakeTurn(game, own);
        ApplyBackup(backup, game);
        if (turn) PutTurn(*turn, game, own);
        for (const auto& [s, name] : backup.dropped) model.dropped.try_emplace(s, name);
        // Whoever left the session meanwhile, the vanished server among them, is the computer's.
        for (int s = 1; s <= game.GosCount; ++s) {
            TGos& gos = game.mGos[s];
            const PlayerId id = PlayerOf(gos);
            if (id == 0 || id == self || model.Listed(id)) continue;
            gos.Human = 0;
            gos.PlayerName.clear();
        }
        game.CurGos = uint8_t(own);
        game.GameMode = ModeNetServer;
    }
    model.serverId = self;
    model.heir = model.earlyTakeover = 0;
    model.backup.clear();
    model.keptTurn.clear();
    // Every other person's turn of the year is asked for again; one of the next year's results
    // that the server had computed goes out at once.
    for (NetMember& m : model.roster)
        if (m.id != self) m.turnFinished = m.turnReceived = false;
    if (!sameYear) model.fullStateReceived = true;
    net.controls.AppendChatLine(model.NameOf(self) + "> " + game.Msg(Msg::TookOverServer), color::Green);
    SendTookOver(net);
    SendBackup(net);
    return true;
}

void TakenOver(NetContext& net, PlayerId from, int year) {
    net.model.serverId = from;
    net.model.heir = net.model.earlyTakeover = 0;
    net.controls.AppendChatLine(net.model.NameOf(from) + "> " + net.game.Msg(Msg::TookOverServer), color::Green);
    if (year == net.game.Year) ResendKeptTurn(net);
}

}  // namespace korvant
