#include "net/full_state_block.h"

#include <algorithm>

#include "net/block_bytes.h"
#include "net/chronicle_parts.h"
#include "net/message_records.h"
#include "net/received_values.h"

namespace korvant {

namespace at = full_state_block;

std::vector<uint8_t> EncodeFullState(const Game& game, PlayerId serverId) {
    const auto& all = state::Messages.of(game).entries();
    const std::span messages(all.data(), std::min(all.size(), MaxBlockMessages));
    std::vector<uint8_t> block = NewBlock(BlockKind::FullState, FullStateSize(messages.size()));
    std::size_t offset = at::History;
    ForEachField(at::Tables, [&](const auto& field) {
        PutAt(block, offset, field.of(game));
        offset += sizeof field.of(game);
    });
    offset = at::States;
    ForEachField(at::World, [&](const auto& field) {
        PutAt(block, offset, field.of(game));
        offset += sizeof field.of(game);
    });
    const ChronicleParts chronicle = SplitChronicle(state::Chronicle.of(game));
    PutString255(block, at::Chronicle1, chronicle.first);
    PutString255(block, at::Chronicle2, chronicle.second);
    PutAt(block, at::TurnMinutes, game.TurnMinutes);
    PutAt(block, at::ServerId, serverId);
    PutAt(block, at::MessageCount, static_cast<uint16_t>(messages.size()));
    PutMessages(block, at::Messages, messages);
    return block;
}

FullState DecodeFullState(std::span<const uint8_t> block) {
    if (block.size() < at::Size) throw BlockError("full state too short");
    const std::size_t count = GetAt<uint16_t>(block, at::MessageCount);
    RequireSize(block, FullStateSize(count), "full state");

    FullState state{std::make_unique<Game>()};
    Game& g = *state.game;
    std::size_t offset = at::History;
    GetFields(block, offset, g, at::Tables);
    offset = at::States;
    GetFields(block, offset, g, at::World);
    state::Chronicle.of(g) = JoinChronicle(GetString255(block, at::Chronicle1), GetString255(block, at::Chronicle2));
    state::Messages.of(g).entries() = GetMessages(block, at::Messages, count);
    state.turnMinutes = GetAt<uint8_t>(block, at::TurnMinutes);
    state.serverId = GetAt<PlayerId>(block, at::ServerId);

    CheckStateCount(g.GosCount);
    CheckMapSize(g.MapSize);
    CheckYear(g.Year, 1);
    if (g.LivingCount > g.GosCount) throw BlockError("more living states than states");
    CheckMapCells(g.Map, g.MapSize, g.GosCount);
    for (const TGos& gos : g.mGos) CheckStateRecord(gos);
    CheckGenerals({g.mGeneral.begin(), g.mGeneral.end()}, g.GosCount);
    CheckMessages(g.MesList.entries(), g.GosCount);
    if (state.serverId == 0) throw BlockError("no server named");
    return state;
}

void ApplyFullState(const FullState& state, Game& game) {
    ForEachField(at::Carried, [&](const auto& field) { field.of(game) = field.of(*state.game); });
}

}  // namespace korvant
