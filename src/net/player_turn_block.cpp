#include "net/player_turn_block.h"

#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/received_values.h"

namespace korvant {

namespace at = player_turn_block;

std::vector<uint8_t> EncodePlayerTurn(const Game& game) {
    const int own = game.CurGos;
    std::vector<uint8_t> block = NewBlock(BlockKind::PlayerTurn, at::Size);
    PutAt(block, at::StateNumber, game.CurGos);
    for (int i = 0; i < GeneralsPerState; ++i)
        PutAt(block, at::Generals + i * sizeof(TCommander), state::Generals.of(game)[own + MaxStates * i]);
    PutAt(block, at::State, state::States.of(game)[own]);
    return block;
}

PlayerTurn DecodePlayerTurn(std::span<const uint8_t> block, const Game& game) {
    RequireSize(block, at::Size, "player turn");
    PlayerTurn turn{GetAt<uint8_t>(block, at::StateNumber), GetAt<decltype(turn.generals)>(block, at::Generals),
                    GetAt<TGos>(block, at::State)};
    if (turn.stateNumber < 1 || turn.stateNumber > game.GosCount) throw BlockError("player turn for no state");
    CheckStateRecord(turn.state);
    CheckGenerals(turn.generals, game.GosCount, turn.stateNumber);
    return turn;
}

void ApplyPlayerTurn(const PlayerTurn& turn, Game& game) {
    const int s = turn.stateNumber;
    state::States.of(game)[s] = turn.state;
    for (int i = 0; i < GeneralsPerState; ++i) state::Generals.of(game)[s + MaxStates * i] = turn.generals[i + 1];
}

}  // namespace korvant
