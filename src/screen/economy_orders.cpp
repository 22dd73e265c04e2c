#include "screen/economy_orders.h"

#include <algorithm>
#include <limits>

#include "core/colors.h"
#include "core/numbers.h"
#include "core/state_guard.h"
#include "sim/economy.h"

namespace korvant {
namespace {

Extended Effect(const Game& game, int s, int science) { return game.mGos[s].Science[science].Effect; }

// Stores never wrap round to the other sign.
int32_t Clamp32(int64_t v) {
    return int32_t(std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

// Next year's wages of both classes with `extra` people added to `staff`.
int64_t WagesWith(const TGos& gos, Staff staff, int64_t extra) {
    const int64_t scientists = gos.Scientists + (staff == Staff::Scientists ? extra : 0);
    const int64_t soldiers = gos.Soldiers + (staff == Staff::Soldiers ? extra : 0);
    return Wage(scientists, ScientistWageExponent) + Wage(soldiers, SoldierWageExponent);
}

int32_t& ClassOf(TGos& gos, Staff staff) { return staff == Staff::Scientists ? gos.Scientists : gos.Soldiers; }
int32_t& FreeOf(TGos& gos, Staff staff) { return staff == Staff::Scientists ? gos.FreeScientists : gos.FreeSoldiers; }

}  // namespace

EconomyOutlook OutlookOf(const Game& game, int s) {
    const TGos& gos = game.mGos[s];
    const Extended a = Effect(game, s, SciAgrarian), f = Effect(game, s, SciFinance);
    EconomyOutlook o;
    o.population = int64_t(gos.Peasants) + gos.Scientists + gos.Soldiers;
    o.maxPopulation = Round(gos.Territory * Effect(game, s, SciDensity));
    o.sowable = SowableCells(game, s);
    o.harvest = Round(gos.Sown * a) * 2;
    o.growth = Round(o.population * Effect(game, s, SciGrowth) / 100 + 1);
    o.scienceWages = Wage(gos.Scientists, ScientistWageExponent);
    o.armyWages = Wage(gos.Soldiers, SoldierWageExponent);
    Extended profit = gos.Sown * a * f;
    profit -= o.scienceWages;
    profit -= o.armyWages;
    o.profit = Round(profit);
    return o;
}

int64_t SeedGrain(const Game& game, int s, int64_t cells) { return Trunc(cells * Effect(game, s, SciAgrarian)); }

int64_t SaleValue(const Game& game, int s, int64_t tons) { return Round(tons * Effect(game, s, SciFinance)); }

int64_t PurchaseCost(const Game& game, int s, int64_t tons) { return Round(tons * Effect(game, s, SciFinance) * 2); }

int64_t TrainingCost(int64_t people) { return Trunc(Extended(people) * TrainingPrice); }

int64_t PurchaseLimit(const Game& game, int s) {
    const Extended f = Effect(game, s, SciFinance);
    // A state without a financial level has no price to buy at.
    if (!(f > 0)) return 0;
    return std::max<int64_t>(0, Trunc(game.mGos[s].Money / (f * 2)));
}

int64_t TrainingLimit(const Game& game, int s, Staff staff) {
    const TGos& gos = game.mGos[s];
    const int64_t current = staff == Staff::Scientists ? gos.Scientists : gos.Soldiers;
    int64_t e = Trunc(Extended(gos.Money) / TrainingPrice);
    if (current + e > MaxClassSize) e = MaxClassSize - current;
    const Extended sownValue = gos.Sown * Effect(game, s, SciAgrarian) * Effect(game, s, SciFinance);
    while (e > 0) {
        const Extended funds = sownValue + gos.Money - TrainingCost(e);
        if (WagesWith(gos, staff, e) <= funds) break;
        --e;
    }
    // A class already past the cap, or no peasants, offers nothing rather than a negative amount.
    return std::max<int64_t>(0, std::min<int64_t>(e, gos.Peasants));
}

int64_t AffordableTraining(const Game& game, int s, Staff staff, int64_t low, int64_t high) {
    const TGos& gos = game.mGos[s];
    auto affordable = [&](int64_t n) { return gos.Money - TrainingCost(n) - WagesWith(gos, staff, n) >= 0; };
    int64_t n = low;
    while (n < high && affordable(n + 1)) ++n;
    return n;
}

void Sow(Game& game, int s, int64_t cells) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    gos.Grain = Clamp32(gos.Grain - SeedGrain(game, s, cells));
    gos.Sown = uint16_t(std::clamp<int64_t>(gos.Sown + cells, 0, std::numeric_limits<uint16_t>::max()));
}

void SellGrain(Game& game, int s, int64_t tons) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    gos.Money = Clamp32(gos.Money + SaleValue(game, s, tons));
    gos.Grain = Clamp32(gos.Grain - tons);
}

void BuyGrain(Game& game, int s, int64_t tons) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    gos.Money = Clamp32(std::max<int64_t>(0, gos.Money - PurchaseCost(game, s, tons)));
    gos.Grain = Clamp32(gos.Grain + tons);
}

bool Train(Game& game, int s, Staff staff, int64_t people) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    const int64_t cost = TrainingCost(people);
    if (gos.Money < cost) return false;
    gos.Money = Clamp32(gos.Money - cost);
    ClassOf(gos, staff) = Clamp32(ClassOf(gos, staff) + people);
    FreeOf(gos, staff) = Clamp32(FreeOf(gos, staff) + people);
    gos.Peasants = Clamp32(gos.Peasants - people);
    return true;
}

void Dismiss(Game& game, int s, Staff staff, int64_t people) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    FreeOf(gos, staff) = Clamp32(FreeOf(gos, staff) - people);
    ClassOf(gos, staff) = Clamp32(ClassOf(gos, staff) - people);
    gos.Peasants = Clamp32(gos.Peasants + people);
}

std::string MoneyText(int64_t amount) { return std::to_string(amount) + " $"; }

int32_t BalanceColour(int64_t profit) { return MoneyText(profit).starts_with('-') ? color::Red : color::Black; }

int32_t TrainingCostColour(const Game& game, int s, int64_t cost) {
    return cost > game.mGos[s].Money ? color::Red : color::Olive;
}

}  // namespace korvant
