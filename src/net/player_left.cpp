#include "net/player_left.h"

#include "core/state_guard.h"

namespace korvant {

void PlayerLeftSession(NetContext& net, const SessionPlayer& player) {
    net.controls.AppendChatLine(player.Name + "> " + net.game.Msg(Msg::PlayerLeftSession), 0x800000);
    const StateChange change(net.game);
    for (TGos& gos : net.game.mGos) {
        if (PlayerId(gos.Human) != player.Id) continue;
        gos.Human = 0;
        gos.PlayerName.clear();
    }
}

}  // namespace korvant
