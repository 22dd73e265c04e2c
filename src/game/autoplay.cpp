#include "game/autoplay.h"

#include <algorithm>

#include "game/new_game.h"
#include "game/turn_cycle.h"

namespace korvant {
namespace {

int64_t BattlesSoFar(const Game& game) {
    int64_t n = 0;
    for (int s = 1; s <= game.GosCount; ++s) n += game.mGos[s].TimesAttacked;
    return n;
}

}  // namespace

AutoplayResult Autoplay(Game& game, const AutoplaySettings& settings,
                        const std::function<void(const AutoplayYear&)>& onYear) {
    AutoplayResult result;
    game.Rng.setSeed(settings.seed);
    game.GameMode = ModeLocal;
    game.DiffLevel = uint8_t(settings.difficulty);
    game.GosCount = uint8_t(settings.states);
    game.MapSize = uint8_t(settings.size);
    result.mapAttempts = NewMap(game).attempts;
    ChooseTerritories(game, settings.observe ? 0 : settings.persons);

    TurnCycleOptions options;
    options.observe = settings.observe;
    options.records.reset();  // a simulated game stays out of the hall of fame
    int64_t battles = BattlesSoFar(game);
    options.yearDone = [&](Game& g, int year) {
        result.yearsPlayed = year;
        if (!onYear) return;
        AutoplayYear y{year, 0, 0, 0};
        for (int s = 1; s <= g.GosCount; ++s) {
            if (g.mGos[s].Alive == 0) continue;
            ++y.living;
            y.largest = std::max<int>(y.largest, g.mGos[s].Territory);
        }
        const int64_t now = BattlesSoFar(g);
        y.battles = int(now - battles);
        battles = now;
        onYear(y);
    };
    result.quit = RunGame(game, options) == GameOutcome::Quit;
    result.winner = VictoriousState(game);
    return result;
}

}  // namespace korvant
