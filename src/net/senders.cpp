#include "net/senders.h"

#include <cstdio>
#include <vector>

#include "net/block_bytes.h"
#include "net/chat_block.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/small_block.h"
#include "net/turn_result_block.h"

namespace korvant {

namespace {

void deliver(Session& session, PlayerId to, std::span<const uint8_t> block, BlockKind kind) {
    const SendResult result = session.Send(to, block);
    if (result != SendResult::Sent)
        std::fprintf(stderr, "network block of kind %d to player %u not sent: %.*s\n", int(kind), unsigned(to),
                     int(SendResultText(result).size()), SendResultText(result).data());
}

// Packs the kinds that travel packed.
void send(Session& session, PlayerId to, const std::vector<uint8_t>& block) {
    const auto kind = static_cast<BlockKind>(KindOf(block));
    if (TravelsPacked(kind)) deliver(session, to, PackEnvelope(block), kind);
    else deliver(session, to, block, kind);
}

void sendToAllAndSelf(Session& session, const std::vector<uint8_t>& block) {
    send(session, ToAllOthers, block);
    send(session, session.LocalId(), block);
}

// The players of the other living states played by a person.
std::vector<PlayerId> otherLivingPersons(const Game& game, PlayerId self) {
    std::vector<PlayerId> ids;
    for (int s = 1; s <= game.GosCount; ++s) {
        const TGos& gos = game.mGos[s];
        if (gos.Human != 0 && gos.Alive != 0 && PlayerId(gos.Human) != self) ids.push_back(PlayerId(gos.Human));
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
    sendToAllAndSelf(net.session, EncodeChat(text, colour));
    return true;
}

void SendReady(NetContext& net, bool on) { sendToAllAndSelf(net.session, EncodeSmall(BlockKind::Ready, on ? 1 : 0)); }

void SendTurnTime(NetContext& net) {
    send(net.session, ToAllOthers, EncodeSmall(BlockKind::TurnTime, net.game.TurnMinutes));
}

void SendMap(NetContext& net) {
    send(net.session, ToAllOthers, EncodeMap(net.game, net.flags.InNetGame ? BlockKind::MapUpdate : BlockKind::Map));
}

void SendStart(NetContext& net) {
    const std::vector<uint8_t> block = EncodeSmall(BlockKind::Start);
    for (PlayerId id : otherLivingPersons(net.game, net.session.LocalId())) send(net.session, id, block);
}

void SendBecomeServer(NetContext& net) {
    const std::vector<SessionPlayer> players = net.session.Players();
    for (auto it = players.rbegin(); it != players.rend(); ++it) {
        if (!it->Remote) continue;
        send(net.session, it->Id, EncodeSmall(BlockKind::BecomeServer));
        return;
    }
}

void SendFullState(NetContext& net, PlayerId addressee) {
    SendingNotice notice(net.controls);
    if (addressee != 0) {
        send(net.session, addressee, EncodeFullState(net.game, addressee));
        return;
    }
    const std::vector<uint8_t> packed = PackEnvelope(EncodeFullState(net.game, net.session.LocalId()));
    for (int s = 1; s <= net.game.GosCount; ++s) {
        const TGos& gos = net.game.mGos[s];
        if (gos.Human != 0 && gos.Alive != 0 && s != net.game.CurGos)
            deliver(net.session, PlayerId(gos.Human), packed, BlockKind::FullState);
    }
}

void SendTurnResults(NetContext& net) {
    {
        SendingNotice notice(net.controls);
        for (int s = 1; s <= net.game.GosCount; ++s) {
            const TGos& gos = net.game.mGos[s];
            if (gos.Human != 0 && s != net.game.CurGos)
                send(net.session, PlayerId(gos.Human), EncodeTurnResult(net.game, s));
        }
    }
    SendMap(net);
}

void ServerNotFound(NetContext& net) {
    net.game.Ui->MessageBox("Error. Server not found.");
    net.flags.ServerLost = true;
    net.controls.CloseWaitWindow();
}

void SendPlayerTurn(NetContext& net) {
    if (net.flags.ServerId == 0) return ServerNotFound(net);
    send(net.session, net.flags.ServerId, EncodePlayerTurn(net.game));
}

void SendTurnDone(NetContext& net) { sendToAllAndSelf(net.session, EncodeSmall(BlockKind::TurnDone)); }

void SendLeave(NetContext& net) { send(net.session, ToAllOthers, EncodeSmall(BlockKind::Leave)); }

void SendGameOver(NetContext& net) { send(net.session, ToAllOthers, EncodeSmall(BlockKind::GameOver)); }

}  // namespace korvant
