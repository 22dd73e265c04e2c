#include "sim/borders.h"

#include <cstdint>

#include "core/check_state.h"
#include "core/colors.h"
#include "core/text_format.h"
#include "sim/messages.h"

namespace korvant {

namespace {

bool IsState(const Game& game, int s) { return s >= 1 && s <= game.GosCount; }

// Territory and the touching flags, rebuilt from the map. A cell whose owner is not a
// state of this game (a damaged map) counts for nobody and borders nobody.
void RebuildFromMap(Game& game) {
    for (int s = 1; s <= game.GosCount; ++s) {
        TGos& gos = game.mGos[s];
        gos.NeighbourCount = 0;
        gos.Territory = 0;
        for (int k = 1; k <= game.GosCount; ++k) gos.Border[k].Touches = 0;
    }
    const int n = game.MapSize;
    for (int i = 1; i <= n; ++i) {
        for (int j = 1; j <= n; ++j) {
            int f = game.Map[i][j];
            if (!IsState(game, f)) continue;
            TGos& gos = game.mGos[f];
            gos.Territory = static_cast<int16_t>(gos.Territory + 1);
            // Edge neighbours only: states that meet at a corner do not touch.
            const int ni[4] = {i + 1, i - 1, i, i};
            const int nj[4] = {j, j, j + 1, j - 1};
            for (int d = 0; d < 4; ++d) {
                if (ni[d] < 1 || ni[d] > n || nj[d] < 1 || nj[d] > n) continue;
                int g = game.Map[ni[d]][nj[d]];
                if (g != f && IsState(game, g)) gos.Border[g].Touches = 1;
            }
        }
    }

    int living = 0;
    for (int s = 1; s <= game.GosCount; ++s) {
        if (game.mGos[s].Alive != 0) ++living;
    }
    game.LivingCount = static_cast<uint8_t>(living);

    for (int s = 1; s <= game.GosCount; ++s) {
        TGos& gos = game.mGos[s];
        int count = 0;
        for (int k = 1; k <= game.GosCount; ++k) {
            if (gos.Border[k].Touches == 1) ++count;
        }
        gos.NeighbourCount = static_cast<uint8_t>(count);
    }
}

// A general on a border that no longer exists goes to rest; he stays hired.
void ReleaseGenerals(Game& game) {
    for (int g = 1; g <= GeneralSlots; ++g) {
        TCommander& general = game.mGeneral[g];
        int o = general.Owner;
        int f = general.Front;
        if (f == 0 || !IsState(game, o) || !IsState(game, f)) continue;
        if (o == f || game.mGos[o].Border[f].Touches != 0) continue;
        game.mGos[o].Border[f].Commander = 0;
        general.Front = 0;
        general.Order = OrderRest;
        AddMessage(game, MesForState, static_cast<uint8_t>(o), color::Blue,
                   FormatText(game.Msg(Msg::GeneralLostPost), {general.Name.utf8()}));
    }
}

// Soldiers standing on a vanished border become free again.
void ReleaseTroops(Game& game) {
    for (int s = 1; s <= game.GosCount; ++s) {
        TGos& gos = game.mGos[s];
        if (gos.Alive == 0) continue;
        for (int k = 1; k <= game.GosCount; ++k) {
            if (k == s || gos.Border[k].Touches != 0) continue;
            for (int t = 1; t <= game.KindCount(); ++t) {
                int32_t& troops = gos.Border[k].Troops[t];
                if (troops >= 1) {
                    gos.FreeSoldiers += troops;
                    troops = 0;
                }
            }
        }
    }
}

}  // namespace

void CheckFronts(Game& game) {
    CheckState(game, "до chek Front");
    RebuildFromMap(game);
    ReleaseGenerals(game);
    ReleaseTroops(game);
    CheckState(game, "после chek Front");
}

int TroopsOnBorder(const Game& game, int a, int b) {
    uint32_t sum = 0;  // 32-bit, as the state's own counts are
    const TBorder& border = game.mGos[a].Border[b];
    for (int t = 1; t <= game.KindCount(); ++t) sum += uint32_t(border.Troops[t]);
    return static_cast<int32_t>(sum);
}

int BorderWeight(const Game& game, int a) {
    int borders = 0;
    for (int k = 1; k <= game.GosCount; ++k) {
        if (game.mGos[a].Border[k].Touches != 0) ++borders;
    }
    const int n = game.MapSize;
    bool corner = game.Map[1][1] == a || game.Map[n][1] == a || game.Map[1][n] == a || game.Map[n][n] == a;
    return corner ? borders / 2 + 1 : borders;
}

bool AnyHuman(const Game& game) {
    for (int s = 1; s <= game.GosCount; ++s) {
        if (game.mGos[s].Human != 0) return true;
    }
    return false;
}

}  // namespace korvant
