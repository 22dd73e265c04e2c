#include "net/turn_result_block.h"

#include <stdexcept>

#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/chronicle_parts.h"
#include "net/message_records.h"
#include "net/received_values.h"

namespace korvant {

namespace at = turn_result_block;

namespace {

int generalSlot(int s, int i) { return s + MaxStates * i; }

}  // namespace

std::vector<uint8_t> EncodeTurnResult(const Game& game, int r) {
    const int year = state::Year.of(game);
    if (year < 2 || year > MaxYears || r < 1 || r > game.GosCount)
        throw std::invalid_argument("a turn result needs a finished year and one of the game's states");
    std::vector<TMesRec> mine;
    for (const TMesRec& m : state::Messages.of(game).entries())
        if (m.Gos == r && mine.size() < MaxBlockMessages) mine.push_back(m);

    std::vector<uint8_t> block = NewBlock(BlockKind::TurnResult, TurnResultSize(mine.size()));
    const auto& history = state::History.of(game);
    const auto& states = state::States.of(game);
    for (int s = 1; s <= game.GosCount; ++s) {
        PutAt(block, at::History + (s - 1) * sizeof(THistoryRec), history[s][year - 1]);
        TStateCounts counts{};
        counts.Alive = states[s].Alive;
        counts.Peasants = states[s].Peasants;
        counts.Scientists = states[s].Scientists;
        counts.Soldiers = states[s].Soldiers;
        PutAt(block, at::Counts + (s - 1) * sizeof counts, counts);
    }
    for (int i = 0; i < GeneralsPerState; ++i)
        PutAt(block, at::Generals + i * sizeof(TCommander), state::Generals.of(game)[generalSlot(r, i)]);
    PutAt(block, at::Map, state::Map.of(game));
    PutAt(block, at::State, states[r]);
    PutAt(block, at::Year, state::Year.of(game));
    const ChronicleParts chronicle = SplitChronicle(state::Chronicle.of(game));
    PutString255(block, at::Chronicle1, chronicle.first);
    PutString255(block, at::Chronicle2, chronicle.second);
    PutAt(block, at::MessageCount, static_cast<uint16_t>(mine.size()));
    PutMessages(block, at::Messages, mine);
    return block;
}

TurnResult DecodeTurnResult(std::span<const uint8_t> block, const Game& game) {
    if (block.size() < at::Size) throw BlockError("turn result too short");
    const std::size_t count = GetAt<uint16_t>(block, at::MessageCount);
    RequireSize(block, TurnResultSize(count), "turn result");
    if (game.CurGos < 1 || game.CurGos > game.GosCount) throw BlockError("this computer plays no state");

    TurnResult r;
    r.history = GetAt<decltype(r.history)>(block, at::History);
    r.generals = GetAt<decltype(r.generals)>(block, at::Generals);
    r.map = GetAt<TMapGrid>(block, at::Map);
    r.counts = GetAt<decltype(r.counts)>(block, at::Counts);
    r.state = GetAt<TGos>(block, at::State);
    r.year = GetAt<uint8_t>(block, at::Year);
    r.chronicle = JoinChronicle(GetString255(block, at::Chronicle1), GetString255(block, at::Chronicle2));
    r.messages = GetMessages(block, at::Messages, count);

    CheckYear(r.year, 2);
    CheckMapCells(r.map, game.MapSize, game.GosCount);
    CheckStateRecord(r.state);
    CheckGenerals(r.generals, game.GosCount, game.CurGos);
    CheckMessages(r.messages, game.GosCount, game.CurGos);
    return r;
}

void ApplyTurnResult(const TurnResult& r, Game& game) {
    const int own = game.CurGos;
    auto& states = state::States.of(game);
    state::Year.of(game) = r.year;
    states[own] = r.state;
    state::Map.of(game) = r.map;
    for (int s = 1; s <= game.GosCount; ++s) {
        state::History.of(game)[s][r.year - 1] = r.history[s];
        states[s].Alive = r.counts[s].Alive;
        states[s].Peasants = r.counts[s].Peasants;
        states[s].Scientists = r.counts[s].Scientists;
        states[s].Soldiers = r.counts[s].Soldiers;
    }
    state::Chronicle.of(game) = r.chronicle;
    state::Messages.of(game).entries() = r.messages;
    for (int i = 0; i < GeneralsPerState; ++i) state::Generals.of(game)[generalSlot(own, i)] = r.generals[i + 1];
}

}  // namespace korvant
