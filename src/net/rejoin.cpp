#include "net/rejoin.h"

#include "core/colors.h"
#include "core/cp1251.h"
#include "core/state_guard.h"
#include "net/block_kind.h"
#include "net/persons.h"
#include "net/player_names.h"
#include "net/senders.h"

namespace korvant {

namespace {

constexpr std::size_t PlayerNameLength = 13;  // characters a state keeps of a person's name

void Seat(NetContext& net, int s, PlayerId player) {
    TGos& gos = net.game.mGos[s];
    gos.Human = int32_t(player);
    gos.PlayerName.setRaw(Utf8ToCp1251(net.model.NameOf(player)).substr(0, PlayerNameLength));
    net.model.dropped.erase(s);
    net.controls.AppendChatLine(net.model.NameOf(player) + "> " + net.game.Msg(Msg::PlayerRejoined), color::Green);
}

}  // namespace

int StateWaitingFor(const NetContext& net, const std::string& name) {
    for (const auto& [s, left] : net.model.dropped) {
        if (s < 1 || s > net.game.GosCount || !SameName(left, name)) continue;
        const TGos& gos = net.game.mGos[s];
        if (gos.Alive != 0 && gos.Human == 0) return s;
    }
    return 0;
}

bool AskedToRejoin(NetContext& net, PlayerId from) {
    const int s = StateWaitingFor(net, net.model.NameOf(from));
    bool taken = false;
    for (const auto& [id, state] : net.model.rejoining) taken |= state == s;
    if (s == 0 || taken || StateOf(net.game, from) != 0 || from == net.session.LocalId()) {
        SendGameRuns(net, from, false);
        return false;
    }
    net.model.rejoining[from] = s;
    return true;
}

std::vector<PlayerId> SeatRejoiners(NetContext& net) {
    std::vector<PlayerId> seated;
    if (net.model.rejoining.empty()) return seated;
    const StateChange change(net.game);
    for (const auto& [player, s] : net.model.rejoining) {
        // He may have left again, or the state fallen, since he asked.
        if (!net.model.Listed(player) || StateWaitingFor(net, net.model.NameOf(player)) != s) continue;
        Seat(net, s, player);
        SendRejoined(net, s, player);
        seated.push_back(player);
    }
    net.model.rejoining.clear();
    return seated;
}

void HearRejoined(NetContext& net, int state, PlayerId player) {
    if (!net.model.Listed(player)) throw BlockError("a state given back to a player outside the session");
    if (state < 1 || state > net.game.GosCount || StateWaitingFor(net, net.model.NameOf(player)) != state)
        throw BlockError("a state given back to a player who did not leave it");
    Seat(net, state, player);
}

}  // namespace korvant
