#include "sim/computer_staffing.h"

#include <algorithm>

#include "sim/economy.h"

namespace korvant {

namespace {

constexpr int32_t ConversionPrice = 100;  // $ to make a peasant a scientist or a soldier

int Level(const TGos& gos, int j) { return gos.Science[j].Level; }

}  // namespace

void HirePeople(Game& game, int s, Extended scienceShare, Extended soldierShare, const Mood& mood) {
    TGos& gos = game.mGos[s];
    int64_t costs = 0;
    for (int j = 1; j <= ScienceCount; ++j) costs += gos.Science[j].Cost;
    // Research already outruns what the next levels cost.
    if (costs < Extended(gos.Scientists) * gos.Science[SciResearch].Effect) scienceShare = 0;

    const Extended seed = SeedValue(game, s);
    const Extended territory = gos.Territory;
    const Extended population = Population(game, s);  // conversions keep it as it is
    auto canPay = [&] { return gos.Peasants > 0 && gos.Money > ConversionPrice; };
    auto convert = [&](int32_t& into, int32_t& freePool) {
        --gos.Peasants;
        ++into;
        ++freePool;
        gos.Money -= ConversionPrice;
    };

    for (;;) {
        bool hired = false;
        const int64_t scientistWages = ScientistWages(game, s);
        const bool scientistsPay = game.Year < 20 || seed / 1.5L > scientistWages || gos.Soldiers > territory / 5;
        const bool scientistsWanted = scientistsPay && !(mood.Danger && seed / 4 <= scientistWages) &&
                                      !(mood.Superior && gos.Soldiers <= territory / 10 && gos.Character != 1);
        if (scientistsWanted && canPay() && gos.Scientists / population < scienceShare) {
            convert(gos.Scientists, gos.FreeScientists);
            for (int more = 0; more < 2 && canPay(); ++more) convert(gos.Scientists, gos.FreeScientists);
            hired = true;
        }
        if (canPay() && gos.Soldiers / population < soldierShare) {
            convert(gos.Soldiers, gos.FreeSoldiers);
            hired = true;
        }

        const Extended wages = ScientistWages(game, s) + SoldierWages(game, s);
        const bool broke =
            mood.Danger ? seed / 1.01L + gos.Money < wages : seed / 1.1L + Extended(gos.Money) / 3 < wages;
        if (!hired || broke || 1.5L * gos.Peasants < territory) break;
    }
}

void AssignScientists(Game& game, int s, int j) {
    TGos& gos = game.mGos[s];
    TScience& science = gos.Science[j];
    if (science.Staff != 0 || gos.FreeScientists < 1) return;
    const Extended points = gos.Science[SciResearch].Effect;
    int64_t need = points > 0 ? Trunc(Extended(science.Cost - science.Progress) / points) + 1 : gos.FreeScientists;
    // Points carried past the cost already finish the level.
    need = std::max<int64_t>(need, 0);
    const int32_t given = static_cast<int32_t>(std::min<int64_t>(need, gos.FreeScientists));
    science.Staff = given;
    gos.FreeScientists -= given;
}

namespace {

// The character's own leanings (the sixth step of staffing).
void StaffByCharacter(Game& game, int s, const Mood& mood) {
    const TGos& gos = game.mGos[s];
    const int character = gos.Character;
    if (character < 1 || character > 3) return;
    auto assign = [&](int j) { AssignScientists(game, s, j); };
    auto draw = [&] { return Draw(game); };
    const int L1 = Level(gos, 1), L2 = Level(gos, 2), L3 = Level(gos, 3), L4 = Level(gos, 4), L5 = Level(gos, 5),
              L6 = Level(gos, 6);
    const Extended A = LivingShare(game);
    const Extended territory = gos.Territory;
    const Extended population = Population(game, s);
    const Extended capacity = territory * gos.Science[SciDensity].Effect;
    const Extended D = capacity > 0 ? population / capacity : 0;  // share of the land's capacity in use
    const int year = game.Year;

    // Research: sooner while the economy keeps pace.
    if (character == 1) {
        const int R = A <= 0.7L ? 5 : 6;
        if (L6 < L3 + R && L6 < L4 + R &&
            ((draw() < 0.9L && A > 0.8L) || (draw() < 0.7L && A < 0.9L) || (mood.Peace && draw() < 0.6L)))
            assign(6);
    } else {
        const int P = character == 3 ? 4 : (A <= 0.7L ? 4 : 5);
        if (((draw() < 0.7L && A > 0.8L) || (draw() < 0.6L && A < 0.8L)) && L6 < L3 + P && L6 < L4 + P) assign(6);
    }

    // Density while the land is nearly full.
    const Extended crowded = character == 1 ? 0.95L : 0.9L;
    if (D > crowded &&
        ((year < 25 && draw() < 0.6L && L1 < 6) || (year >= 25 && year <= 60 && draw() < 0.2L && L1 < 8)))
        assign(1);

    // Growth while there is room to grow.
    switch (character) {
        case 1:
            if (population < 2 * territory && D < 0.85L && L2 + 3 < L6 && year > 25) assign(2);
            break;
        case 2:
            if (population < 2 * territory && D < 0.9L && L2 + 2 < L6 && year > 20) assign(2);
            break;
        default:
            if (2.5L * territory > population && D < 0.95L && L2 + 2 < L6 && year > 15) assign(2);
            break;
    }

    // The economy while it lags behind research, else research itself.
    if (L3 < L6 || L4 < L6) {
        if (L4 < L3)
            assign(4);
        else if (draw() < (character == 2 ? 0.95L : 0.8L))
            assign(3);
    } else {
        assign(6);
    }

    // The army when it lags far behind.
    const int armyLag = character == 1 ? 6 : character == 2 ? 5 : 4;
    if (L5 < L6 - armyLag) assign(5);
}

// Science j of the bounds for a number n in 0..99; 0 when no bound holds it.
int ByBounds(const ScienceBounds& bounds, int n) {
    for (int j = 1; j <= ScienceCount; ++j) {
        if (n < bounds[j - 1]) return j;
    }
    return 0;
}

}  // namespace

void StaffSciences(Game& game, int s, const ScienceBounds& bounds, const Mood& mood) {
    TGos& gos = game.mGos[s];
    auto assign = [&](int j) { AssignScientists(game, s, j); };
    for (int j = 1; j <= ScienceCount; ++j) {
        gos.FreeScientists += gos.Science[j].Staff;
        gos.Science[j].Staff = 0;
    }

    // Finish what is under way.
    for (int j = 1; j <= ScienceCount; ++j) {
        if (gos.Science[j].Progress > gos.Science[SciResearch].Effect) assign(j);
    }

    // Now and then the most neglected science, more often as states fall.
    int lowest = 2;
    for (int j = 3; j <= ScienceCount; ++j) {
        if (Level(gos, j) < Level(gos, lowest)) lowest = j;
    }
    const Extended A = LivingShare(game);
    if (game.Year > 20 && (Draw(game) < 0.2L || (A < 0.7L && Draw(game) < 0.5L))) assign(lowest);

    const int L2 = Level(gos, 2), L3 = Level(gos, 3), L4 = Level(gos, 4), L5 = Level(gos, 5), L6 = Level(gos, 6);
    const bool room = Population(game, s) < 2 * Extended(gos.Territory);
    // In troubled times the army and growth must not fall behind research.
    if (mood.Danger || (A < 0.5L && Draw(game) < 0.5L) || (!mood.Peace && Draw(game) < 0.2L)) {
        if (L5 < L6 - 2) assign(5);
        if (L2 < L6 - 2 && room) assign(2);
    }
    if (L5 < L6 - 5) assign(5);
    if (L2 < L6 - 5 && room) assign(2);
    if (L3 < L6 - 5) assign(3);
    if (L4 < L6 - 5) assign(4);
    if (Level(gos, 1) >= L6 || L2 >= L6 || L3 >= L6 || L4 >= L6) assign(6);

    StaffByCharacter(game, s, mood);

    static constexpr ScienceBounds DangerBounds{5, 15, 35, 55, 90, 100};
    const ScienceBounds& spread = mood.Danger ? DangerBounds : bounds;
    for (int tries = 0; tries < 1000 && gos.FreeScientists > 0; ++tries) {
        if (int j = ByBounds(spread, game.Random(100))) assign(j);
    }

    for (int j : {5, 2, 3, 4, 6, 1}) assign(j);
}

namespace {

// Shares and bounds for one character over a span of years.
struct YearPlan {
    int character;
    int firstYear, lastYear;
    Extended scienceShare;
    enum Soldiers { Fixed, WhenTroubled, WhenTroubledSooner } soldierRule;
    Extended soldierShare;  // for Fixed
    ScienceBounds bounds;
};

constexpr YearPlan Plans[] = {
    {1, 1, 25, 0.3L, YearPlan::WhenTroubled, 0, {20, 40, 60, 80, 1, 100}},
    {1, 26, 34, 0.4L, YearPlan::WhenTroubled, 0, {10, 20, 70, 80, 1, 100}},
    {1, 35, 49, 0.4L, YearPlan::Fixed, 0.3L, {10, 20, 50, 70, 80, 100}},
    {1, 50, 65, 0.4L, YearPlan::Fixed, 0.3L, {5, 15, 40, 65, 90, 100}},
    {1, 66, 120, 0.4L, YearPlan::Fixed, 0.4L, {5, 15, 40, 65, 90, 100}},
    {2, 1, 10, 0.25L, YearPlan::WhenTroubledSooner, 0, {20, 40, 60, 80, 1, 100}},
    {2, 11, 20, 0.3L, YearPlan::WhenTroubledSooner, 0, {20, 40, 60, 80, 1, 100}},
    {2, 21, 31, 0.35L, YearPlan::WhenTroubledSooner, 0, {10, 30, 60, 80, 1, 100}},
    {2, 32, 42, 0.4L, YearPlan::Fixed, 0.3L, {10, 25, 55, 85, 95, 100}},
    {2, 43, 62, 0.4L, YearPlan::Fixed, 0.3L, {10, 20, 40, 60, 90, 100}},
    {2, 63, 120, 0.3L, YearPlan::Fixed, 0.4L, {10, 20, 40, 60, 90, 100}},
    {3, 1, 15, 0.25L, YearPlan::Fixed, 0, {10, 30, 55, 80, 1, 100}},
    {3, 16, 24, 0.3L, YearPlan::Fixed, 0.2L, {10, 20, 45, 70, 80, 100}},
    {3, 25, 35, 0.35L, YearPlan::Fixed, 0.3L, {10, 20, 45, 70, 80, 100}},
    {3, 36, 49, 0.4L, YearPlan::Fixed, 0.3L, {5, 20, 40, 60, 90, 100}},
    {3, 50, 70, 0.4L, YearPlan::Fixed, 0.4L, {5, 20, 40, 60, 90, 100}},
    {3, 71, 120, 0.3L, YearPlan::Fixed, 0.5L, {5, 20, 40, 60, 90, 100}},
};

}  // namespace

void HireAndStaff(Game& game, int s, const Mood& mood) {
    const TGos& gos = game.mGos[s];
    if (mood.Danger && !mood.Superior) {
        const Extended spare = Income(game, s) - ScientistWages(game, s) - SoldierWages(game, s);
        const bool arm = LivingShare(game) < 0.1L || Draw(game) < 0.1L || Extended(gos.Money) / 2 > spare;
        HirePeople(game, s, 0.001L, arm ? 0.5L : 0.01L, mood);
        StaffSciences(game, s, {5, 20, 40, 60, 90, 100}, mood);
        return;
    }
    for (const YearPlan& plan : Plans) {
        if (plan.character != gos.Character || game.Year < plan.firstYear || game.Year > plan.lastYear) continue;
        Extended soldiers = plan.soldierShare;
        if (plan.soldierRule == YearPlan::WhenTroubled) soldiers = mood.Peace && gos.TimesAttacked < 3 ? 0 : 0.2L;
        if (plan.soldierRule == YearPlan::WhenTroubledSooner) soldiers = mood.Peace && gos.TimesAttacked < 2 ? 0 : 0.2L;
        HirePeople(game, s, plan.scienceShare, soldiers, mood);
        StaffSciences(game, s, plan.bounds, mood);
        return;
    }
}

}  // namespace korvant
