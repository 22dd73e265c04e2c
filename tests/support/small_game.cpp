#include "support/small_game.h"

#include <algorithm>
#include <stdexcept>

#include "sim/borders.h"

namespace korvant::test {

namespace {

int Owner(char c) {
    if (c >= '1' && c <= '9') return c - '0';
    if (c >= 'A' && c <= 'K') return c - 'A' + 10;
    return 0;
}

void StartSciences(TGos& gos) {
    const float effect[ScienceCount] = {1, 3, 1, 10, 100, 1};
    const float step[ScienceCount] = {0.07f, 0.2f, 0.05f, 0.5f, 10, 0.1f};
    for (int i = 1; i <= ScienceCount; ++i) {
        TScience& sci = gos.Science[i];
        sci = TScience{};
        sci.Effect = effect[i - 1];
        sci.Step = step[i - 1];
        sci.Cost = 100;
    }
}

}  // namespace

std::unique_ptr<Game> MakeGame(const std::vector<std::string>& rows, int gosCount) {
    auto game = std::make_unique<Game>();
    const int n = static_cast<int>(rows.size());
    if (n < 1 || n > 100) throw std::invalid_argument("map size");
    int highest = 0;
    for (int i = 1; i <= n; ++i) {
        const std::string& row = rows[std::size_t(i - 1)];
        if (static_cast<int>(row.size()) != n) throw std::invalid_argument("the map must be square");
        for (int j = 1; j <= n; ++j) {
            int owner = Owner(row[std::size_t(j - 1)]);
            game->Map[i][j] = static_cast<uint8_t>(owner);
            highest = std::max(highest, owner);
        }
    }
    game->MapSize = static_cast<uint8_t>(n);
    game->GosCount = static_cast<uint8_t>(gosCount > 0 ? gosCount : highest);
    game->Year = 1;
    game->CostGrowth = 20;
    game->Rules.KindCount = 3;
    game->Rules.TacticCount = 1;
    for (int s = 1; s <= game->GosCount; ++s) {
        TGos& gos = game->mGos[s];
        gos.Name.set("Gos" + std::to_string(s));
        gos.Alive = 1;
        gos.Character = 1;
        for (int k = 1; k <= MaxStates; ++k) gos.Attitude(k) = 100;
        StartSciences(gos);
    }
    for (int g = 1; g <= GeneralSlots; ++g) game->mGeneral[g].Number = static_cast<uint8_t>(g);
    CheckFronts(*game);
    return game;
}

void AddTroops(Game& game, int s, int k, std::initializer_list<int> troops) {
    int t = 1;
    for (int count : troops) {
        game.mGos[s].Border[k].Troops[t++] += count;
        game.mGos[s].Soldiers += count;
    }
}

int PostGeneral(Game& game, int owner, int front, int order, const std::string& name) {
    for (int g = owner; g <= 200; g += MaxStates) {
        TCommander& general = game.mGeneral[g];
        if (general.Owner != 0) continue;
        general.Owner = static_cast<uint8_t>(owner);
        general.Front = static_cast<uint8_t>(front);
        general.Order = static_cast<uint8_t>(order);
        general.Name.set(name);
        general.Age = 30;
        general.MaxAge = 60;
        general.Speed = 50;
        general.Knowledge = 10;
        general.Spirit = 50;
        general.Attestation = 3;
        game.mGos[owner].GeneralCount += 1;
        if (front != 0) game.mGos[owner].Border[front].Commander = static_cast<uint8_t>(g);
        return g;
    }
    throw std::logic_error("no free general slot");
}

std::string TestTexts::Lookup(Msg id) const {
    auto it = texts_.find(id);
    return it != texts_.end() ? it->second : std::string(BuiltInText(id));
}

}  // namespace korvant::test
