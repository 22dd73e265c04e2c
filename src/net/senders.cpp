#include "net/senders.h"

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "core/colors.h"
#include "core/text_format.h"
#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/heir.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/persons.h"
#include "net/player_turn_block.h"
#include "net/rejoined_block.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"

namespace korvant {

namespace {

bool deliver(NetContext& net, PlayerId to, std::span<const uint8_t> block, BlockKind kind) {
    const SendResult result = net.session.Send(to, block);
    if (result == SendResult::Sent) return true;
    const std::string_view why = SendResultText(result);
    std::fprintf(stderr, "network block of kind %d to player %u not sent: %.*s\n", int(kind), unsigned(to),
                 int(why.size()), why.data());
    const std::string name = to == ToAllOthers ? std::string("*") : net.model.NameOf(to);
    net.controls.AppendChatLine(FormatText(net.game.Msg(Msg::BlockNotSent),
                                           {std::to_string(int(kind)), name.empty() ? std::to_string(to) : name}),
                                color::Red);
    return false;
}

// Packs the kinds that travel packed.
bool send(NetContext& net, PlayerId to, const std::vector<uint8_t>& block) {
    const auto kind = static_cast<BlockKind>(KindOf(block));
    if (TravelsPacked(kind)) return deliver(net, to, PackEnvelope(block), kind);
    return deliver(net, to, block, kind);
}

bool sendToAllAndSelf(NetContext& net, const std::vector<uint8_t>& block) {
    const bool others = send(net, ToAllOthers, block);
    return send(net, net.session.LocalId(), block) && others;
}

// The players of the other living states played by a person.
std::vector<PlayerId> otherLivingPersons(const Game& game, PlayerId self) {
    std::vector<PlayerId> ids;
    for (int s = 1; s <= game.GosCount; ++s) {
        const TGos& gos = game.mGos[s];
        if (LivingPerson(gos) && PlayerOf(gos) != self) ids.push_back(PlayerOf(gos));
    }
    return ids;
}

// The notice stays up while large blocks are built and sent.
class SendingNotice {
public:
    explicit SendingNotice(NetControls& controls) : controls_(controls) { controls_.ShowSendingNotice(true); }
    ~SendingNotice() { controls_.ShowSendingNotice(false); }

private:
    NetControls& controls_;
};

}  // namespace

bool SendChat(NetContext& net, std::string_view text, int32_t colour) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    if (text.empty()) return false;
    sendToAllAndSelf(net, EncodeChat(text, colour));
    return true;
}

bool SendReady(NetContext& net, bool on) { return sendToAllAndSelf(net, EncodeSmall(BlockKind::Ready, on ? 1 : 0)); }

bool SendTurnTime(NetContext& net) {
    return send(net, ToAllOthers, EncodeSmall(BlockKind::TurnTime, net.game.TurnMinutes));
}

bool SendMap(NetContext& net) {
    return send(net, ToAllOthers, EncodeMap(net.game, net.model.InGame() ? BlockKind::MapUpdate : BlockKind::Map));
}

bool SendStart(NetContext& net) {
    const std::vector<uint8_t> block = EncodeSmall(BlockKind::Start);
    bool sent = true;
    for (PlayerId id : otherLivingPersons(net.game, net.session.LocalId())) sent = send(net, id, block) && sent;
    return sent;
}

bool SendBecomeServer(NetContext& net) {
    const std::vector<SessionPlayer> players = net.session.Players();
    for (auto it = players.rbegin(); it != players.rend(); ++it)
        if (it->Remote) return send(net, it->Id, EncodeSmall(BlockKind::BecomeServer));
    return false;
}

bool SendFullState(NetContext& net, PlayerId addressee) {
    SendingNotice notice(net.controls);
    if (addressee != 0) {
        // The addressee serves the game from now on, and the lobby after it.
        if (!send(net, addressee, EncodeFullState(net.game, addressee))) return false;
        net.model.serverId = addressee;
        return true;
    }
    const std::vector<uint8_t> packed = PackEnvelope(EncodeFullState(net.game, net.session.LocalId()));
    bool sent = true;
    for (int s = 1; s <= net.game.GosCount; ++s) {
        const TGos& gos = net.game.mGos[s];
        if (LivingPerson(gos) && s != net.game.CurGos)
            sent = deliver(net, PlayerOf(gos), packed, BlockKind::FullState) && sent;
    }
    return sent;
}

bool SendFullStateTo(NetContext& net, PlayerId player) {
    SendingNotice notice(net.controls);
    return send(net, player, EncodeFullState(net.game, net.session.LocalId()));
}

bool SendTurnResults(NetContext& net, const std::vector<PlayerId>& except) {
    bool sent = true;
    {
        SendingNotice notice(net.controls);
        for (int s = 1; s <= net.game.GosCount; ++s) {
            const TGos& gos = net.game.mGos[s];
            if (gos.Human != 0 && s != net.game.CurGos && std::ranges::find(except, PlayerOf(gos)) == except.end())
                sent = send(net, PlayerOf(gos), EncodeTurnResult(net.game, s)) && sent;
        }
    }
    return SendMap(net) && sent;
}

void ServerNotFound(NetContext& net) {
    net.game.Ui->MessageBox("Error. Server not found.");
    net.model.End(NetEnd::ServerLost);
}

bool SendPlayerTurn(NetContext& net) {
    if (net.model.serverId == 0 && net.model.heir == 0) {
        ServerNotFound(net);
        return false;
    }
    net.model.keptTurn = EncodePlayerTurn(net.game);
    net.model.keptTurnYear = net.game.Year;
    if (net.model.serverId == 0) return true;  // the heir asks for it once he has taken over
    return send(net, net.model.serverId, net.model.keptTurn);
}

bool ResendKeptTurn(NetContext& net) {
    if (net.model.keptTurn.empty() || net.model.keptTurnYear != net.game.Year || net.model.serverId == 0) return false;
    return send(net, net.model.serverId, net.model.keptTurn) &&
           send(net, net.model.serverId, EncodeSmall(BlockKind::TurnDone));
}

bool SendBackup(NetContext& net) {
    net.model.backup = EncodeBackup(net.game, net.model.dropped);
    return ResendBackup(net);
}

bool ResendBackup(NetContext& net) {
    const PlayerId heir = HeirOf(net.model, net.game, net.session.LocalId());
    if (heir == 0 || net.model.backup.empty()) return true;
    return send(net, heir, net.model.backup);
}

bool SendTookOver(NetContext& net) { return send(net, ToAllOthers, EncodeSmall(BlockKind::TookOver, net.game.Year)); }

bool SendGameRuns(NetContext& net, PlayerId newcomer, bool stateWaits) {
    return send(net, newcomer, EncodeSmall(BlockKind::GameRuns, stateWaits ? 1 : 0));
}

bool SendRejoin(NetContext& net) {
    return net.model.serverId != 0 && send(net, net.model.serverId, EncodeSmall(BlockKind::Rejoin));
}

bool SendRejoined(NetContext& net, int state, PlayerId player) {
    return send(net, ToAllOthers, EncodeRejoined(state, player));
}

bool SendTurnDone(NetContext& net) { return sendToAllAndSelf(net, EncodeSmall(BlockKind::TurnDone)); }

bool SendLeave(NetContext& net) { return send(net, ToAllOthers, EncodeSmall(BlockKind::Leave)); }

bool SendGameOver(NetContext& net) { return send(net, ToAllOthers, EncodeSmall(BlockKind::GameOver)); }

}  // namespace korvant
