#pragma once
// The person's economy orders for one state and the numbers the economy tab
// shows: the year's outlook, the limits of each order and their prices.
// The window only shows these; every order changes the state here.
#include <cstdint>
#include <string>

#include "core/game.h"

namespace korvant {

// What a state can expect of the year, as the economy tab's resource panel shows it.
struct EconomyOutlook {
    int64_t population = 0;     // peasants, scientists and soldiers
    int64_t maxPopulation = 0;  // what the territory can hold
    int64_t sowable = 0;        // cells that can still be sown
    int64_t harvest = 0;        // grain the sown cells will bring
    int64_t growth = 0;         // people born next year
    int64_t scienceWages = 0;
    int64_t armyWages = 0;
    int64_t profit = 0;  // the sown grain's value less both wage bills
};

EconomyOutlook OutlookOf(const Game& game, int s);

// Scientists or soldiers, the two classes trained from peasants and dismissed to them.
enum class Staff { Scientists, Soldiers };

constexpr int TrainingPrice = 100;   // per person, for either class
constexpr int MaxClassSize = 40000;  // no class grows past this

// Money, grain and people are counted in whole units.
int64_t SeedGrain(const Game& game, int s, int64_t cells);    // grain needed to sow `cells`
int64_t SaleValue(const Game& game, int s, int64_t tons);     // money for selling `tons`
int64_t PurchaseCost(const Game& game, int s, int64_t tons);  // money for buying `tons`
int64_t TrainingCost(int64_t people);

// The most grain the state's money buys.
int64_t PurchaseLimit(const Game& game, int s);

// The most peasants that can be trained this year: what the money pays at the training price,
// no class past MaxClassSize, next year's wages of the enlarged staff within the money left plus
// the value of the sown grain, and no more than there are peasants. Never negative.
int64_t TrainingLimit(const Game& game, int s, Staff staff);

// The most people between `low` and `high` whose training and next year's wages the state's
// money pays now (the sown grain is not counted); `low` when not even that is affordable.
int64_t AffordableTraining(const Game& game, int s, Staff staff, int64_t low, int64_t high);

// The orders. Each takes an amount within the limit its panel offers.
void Sow(Game& game, int s, int64_t cells);
void SellGrain(Game& game, int s, int64_t tons);
// Money never goes below 0.
void BuyGrain(Game& game, int s, int64_t tons);
// False, and nothing changes, when the money does not pay the training.
bool Train(Game& game, int s, Staff staff, int64_t people);
// Only free scientists or soldiers go back to the peasants.
void Dismiss(Game& game, int s, Staff staff, int64_t people);

// A sum of money as shown: plain decimal and " $".
std::string MoneyText(int64_t amount);
// The balance is red when negative, black otherwise.
int32_t BalanceColour(int64_t profit);
// A training cost is red when the money does not cover it, olive otherwise.
int32_t TrainingCostColour(const Game& game, int s, int64_t cost);

}  // namespace korvant
