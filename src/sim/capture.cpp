#include "sim/capture.h"

#include <algorithm>
#include <vector>

#include "core/colors.h"
#include "core/numbers.h"
#include "sim/battle_report.h"
#include "sim/borders.h"
#include "sim/last_battle.h"

namespace korvant {

namespace {

// The map as one block of 102 × 102 bytes: cell (i, j) at Stride × i + j, so the four edge
// neighbours are ±Stride and ±1 and the zero frame keeps them inside the block.
constexpr int Stride = 102;
constexpr int MaxField = 100;

int FieldSize(const Game& game) { return std::min<int>(game.MapSize, MaxField); }

bool InField(int cell, int size) {
    const int i = cell / Stride, j = cell % Stride;
    return i >= 1 && i <= size && j >= 1 && j <= size;
}

// Edge neighbours of `cell` owned by a, counted below, above, right, left.
int NeighboursOwnedBy(const uint8_t* map, int cell, int a) {
    return (map[cell + Stride] == a) + (map[cell - Stride] == a) + (map[cell + 1] == a) + (map[cell - 1] == a);
}

bool OwnsAnyCell(const Game& game, int s) {
    const int size = FieldSize(game);
    for (int i = 1; i <= size; ++i) {
        for (int j = 1; j <= size; ++j) {
            if (game.Map[i][j] == s) return true;
        }
    }
    return false;
}

// How much the loser gives up toward the winner: the less land it keeps per cell lost, the more.
int AttitudeDrop(int64_t keptPerLost) {
    if (keptPerLost < 4) return 100;
    if (keptPerLost <= 5) return 35;
    if (keptPerLost <= 7) return 20;
    if (keptPerLost <= 10) return 7;
    return 1;
}

void Destroy(Game& game, int a, int b) {
    TGos& loser = game.mGos[b];
    const bool human = loser.Human != 0;
    const std::string name = GosName(game, b);
    const std::string player = loser.PlayerName.utf8();

    Report(game, color::Green, Msg::StateDestroyed, {name});
    if (human && (game.GameMode == ModeNetServer || game.GameMode == ModeNetClient))
        game.Ui->SendChatLine(FormatText(game.Msg(Msg::RulerLostState), {player}), 896);
    RaiseBy(game.mGos[a].Conquests, 1);
    loser.Alive = 0;
    game.Chronicle += FormatText(game.Msg(Msg::StateDestroyed), {name}) + "\r\n";
    if (human) game.Chronicle += FormatText(game.Msg(Msg::RulerLostState), {player}) + "\r\n";
    for (int s = 1; s <= game.GosCount; ++s) {
        if (game.mGos[s].Alive == 0) continue;
        uint8_t& attitude = game.mGos[s].Attitude(a);
        attitude = static_cast<uint8_t>(Round(Extended(attitude) / 3));
    }
    if (human && game.GameMode == ModeLocal) ShowDefeat(game, b);
}

}  // namespace

int CellsToTake(int speed, int soldiers) {
    float x = static_cast<float>(Extended(speed) / 166 + 0.7L);
    float total = 0;
    for (int i = 0; i < soldiers; ++i) {
        x = static_cast<float>(Extended(x) * 0.9995L);
        const float next = static_cast<float>(Extended(total) + x);
        // The terms only shrink, so once one no longer changes the sum none will.
        if (next == total) break;
        total = next;
    }
    return static_cast<int>(Trunc(total));
}

int TakeCellsAlongBorder(Game& game, int a, int b, int n) {
    if (a == b) return 0;
    uint8_t* map = &game.Map[0][0];
    const int size = FieldSize(game);

    // The cells of b that touch a, in row-then-column order: the only cells a scan of the
    // whole map could choose or draw for. Taking a cell never removes another from this set.
    std::vector<int> front;
    for (int i = 1; i <= size; ++i) {
        for (int j = 1; j <= size; ++j) {
            const int cell = Stride * i + j;
            if (map[cell] == b && NeighboursOwnedBy(map, cell, a) > 0) front.push_back(cell);
        }
    }

    int taken = 0;
    for (int rep = 0; rep < n && !front.empty(); ++rep) {
        int best = 0;
        int chosen = 0;
        for (int cell : front) {
            const int count = NeighboursOwnedBy(map, cell, a);
            if (count > best) {
                best = count;
                chosen = cell;
            } else if (count == best && game.Rng.Real() < 0.3L) {
                chosen = cell;
            }
        }
        map[chosen] = static_cast<uint8_t>(a);
        ++taken;
        front.erase(std::lower_bound(front.begin(), front.end(), chosen));
        // Cells of b beside the taken one now touch a.
        for (int nb : {chosen + Stride, chosen - Stride, chosen + 1, chosen - 1}) {
            if (map[nb] != b || !InField(nb, size)) continue;
            auto at = std::lower_bound(front.begin(), front.end(), nb);
            if (at == front.end() || *at != nb) front.insert(at, nb);
        }
    }
    return taken;
}

void Capture(Game& game, int a, int b, CellTaker take) {
    TGos& winner = game.mGos[a];
    const int c = winner.Border[b].Commander;
    const int speed = (c >= 1 && c <= GeneralSlots) ? game.mGeneral[c].Speed : 0;
    const int n = CellsToTake(speed, TroopsOnBorder(game, a, b));
    const int territoryBefore = game.mGos[b].Territory;

    const int captured = take(game, a, b, n);
    winner.Captured = static_cast<uint16_t>(winner.Captured + captured);
    Report(game, color::Green, Msg::LandCaptured, {GosName(game, a), Dec(captured)});

    const int64_t keptPerLost = Round(Extended(territoryBefore) / (captured + 1));
    LowerBy(game.mGos[b].Attitude(a), AttitudeDrop(keptPerLost));

    if (!OwnsAnyCell(game, b)) Destroy(game, a, b);
}

}  // namespace korvant
