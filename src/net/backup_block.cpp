#include "net/backup_block.h"

#include <algorithm>

#include "core/cp1251.h"
#include "core/state_fields.h"
#include "net/block_bytes.h"
#include "net/received_values.h"
#include "save/check_value.h"
#include "save/saved_body.h"

namespace korvant {

namespace at = backup_block;

std::size_t LargestBackup() { return at::Body + saved_body::Messages + 0xFFFF * sizeof(TMesRec); }

std::vector<uint8_t> EncodeBackup(const Game& game, const DroppedPersons& dropped) {
    std::vector<uint8_t> block = NewBlock(BlockKind::Backup, at::Body);
    PutAt(block, at::Seed, game.Rng.seed());
    PutAt(block, at::TurnMinutes, game.TurnMinutes);
    PutAt(block, at::Resume, game.ResumePlayer);
    for (const auto& [s, name] : dropped)
        if (s >= 1 && s <= MaxStates) PutString255(block, at::Persons + (s - 1) * String255Size, Utf8ToCp1251(name));
    const std::vector<uint8_t> body = WriteSavedBody(game, std::min(game.ResumePlayer, game.PeopleCount));
    block.insert(block.end(), body.begin(), body.end());
    return block;
}

Backup DecodeBackup(std::span<const uint8_t> block) {
    if (block.size() < at::Body + saved_body::Messages) throw BlockError("backup too short");
    Backup backup{std::make_unique<Game>()};
    Game& g = *backup.game;
    try {
        const int64_t check = ReadSavedBody(block.subspan(at::Body), g);
        if (check != CheckValue(g)) throw BlockError("the backup's check value does not match its game");
    } catch (const SavedBodyError& e) {
        throw BlockError(std::string("backup: ") + e.what());
    }
    RequireSize(block, at::Body + saved_body::Messages + g.MesList.entries().size() * sizeof(TMesRec), "backup");
    backup.seed = GetAt<uint32_t>(block, at::Seed);
    backup.turnMinutes = GetAt<uint8_t>(block, at::TurnMinutes);
    backup.resume = GetAt<uint8_t>(block, at::Resume);
    CheckStateCount(g.GosCount);
    CheckMapSize(g.MapSize);
    CheckMapCells(g.Map, g.MapSize, g.GosCount);
    for (const TGos& gos : g.mGos) CheckStateRecord(gos);
    CheckGenerals({g.mGeneral.begin(), g.mGeneral.end()}, g.GosCount);
    CheckMessages(g.MesList.entries(), g.GosCount);
    for (int s = 1; s <= g.GosCount; ++s) {
        const std::string_view name = GetString255(block, at::Persons + (s - 1) * String255Size);
        if (!name.empty()) backup.dropped[s] = Cp1251ToUtf8(name);
    }
    return backup;
}

void ApplyBackup(const Backup& backup, Game& game) {
    ForEachField(state::Saved, [&](const auto& field) { field.of(game) = field.of(*backup.game); });
    game.Rng.setSeed(backup.seed);
    game.TurnMinutes = backup.turnMinutes;
    game.ResumePlayer = backup.resume;
}

}  // namespace korvant
