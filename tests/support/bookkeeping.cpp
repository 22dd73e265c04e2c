#include "support/bookkeeping.h"

#include <vector>

#include "core/check_state.h"

namespace korvant::test {

namespace {
::testing::AssertionResult Broken(int s, const char* what) {
    return ::testing::AssertionFailure() << "state " << s << ": " << what;
}
}  // namespace

::testing::AssertionResult BooksBalanced(Game& game, const char* label) {
    try {
        CheckState(game, label);
    } catch (const StateError& e) {
        return ::testing::AssertionFailure() << "consistency check: " << e.messages().front();
    }
    std::vector<int> cells(game.GosCount + 1, 0);
    for (int x = 1; x <= game.MapSize; ++x)
        for (int y = 1; y <= game.MapSize; ++y) {
            const int owner = game.Map[x][y];
            if (owner < 1 || owner > game.GosCount) return ::testing::AssertionFailure() << "cell without an owner";
            ++cells[owner];
        }
    for (int s = 1; s <= game.GosCount; ++s) {
        const TGos& gos = game.mGos[s];
        if (gos.Money < 0 || gos.Grain < 0) return Broken(s, "negative store");
        if (gos.Peasants < 0 || gos.FreeScientists < 0 || gos.FreeSoldiers < 0) return Broken(s, "negative count");
        int64_t staff = 0, placed = 0;
        for (int j = 1; j <= ScienceCount; ++j) {
            if (gos.Science[j].Staff < 0) return Broken(s, "negative science staff");
            staff += gos.Science[j].Staff;
        }
        if (gos.Scientists != gos.FreeScientists + staff) return Broken(s, "scientists do not add up");
        for (int k = 1; k <= game.GosCount; ++k) {
            for (int t = 1; t <= game.KindCount(); ++t) {
                if (gos.Border[k].Troops[t] < 0) return Broken(s, "negative troops");
                placed += gos.Border[k].Troops[t];
            }
            if (gos.Attitude(k) > 100) return Broken(s, "attitude above 100");
        }
        if (gos.Soldiers != gos.FreeSoldiers + placed) return Broken(s, "soldiers do not add up");
        int hired = 0;
        for (int g = s; g < GeneralSlots; g += MaxStates) hired += game.mGeneral[g].Owner == s;
        if (gos.GeneralCount != hired) return Broken(s, "generals miscounted");
        if (gos.Territory != cells[s]) return Broken(s, "territory differs from the map");
        if ((gos.Alive != 0) != (cells[s] > 0)) return Broken(s, "alive without land or dead with land");
    }
    return ::testing::AssertionSuccess();
}

}  // namespace korvant::test
