#pragma once
// Hiring a general on the command screen: the ranges of the four hiring controls, the price
// (the computer players' price, shared), and the purchase with its refusals in their order.
#include <cstdint>
#include <string>

#include "core/game.h"

namespace korvant {

// One hiring control: its range and the distance between its tick marks (0: none).
struct HiringRange {
    int min, max, tick;
};
constexpr HiringRange AgeRange{15, 60, 5};
constexpr HiringRange KnowledgeRange{1, 30, 3};
constexpr HiringRange MarkRange{2, 5, 1};
constexpr HiringRange SpeedRange{1, 100, 0};
// After a purchase the speed control shows a tick here.
constexpr int SpeedTickAfterHire = 10;

constexpr int MaxGenerals = 10;

// What the person asks for.
struct GeneralWish {
    int age = AgeRange.min;
    int knowledge = KnowledgeRange.min;
    int attestation = MarkRange.min;
    int speed = SpeedRange.min;
};

int HiringPrice(const Game& game, const GeneralWish& wish);
// Red when the state's money does not pay it, olive otherwise.
int32_t HiringPriceColour(const Game& game, int s, int64_t price);

enum class HireRefusal {
    None,
    TooMany,       // ten generals already
    TooFewFronts,  // two more than the state has borders
    NoMoney,
    NoSlot,  // every slot of the state is taken
};

// Why state s may not buy a general of this price, in the order the checks are made.
HireRefusal HireCheck(const Game& game, int s, int64_t price);

// The text a refusal shows.
std::string RefusalText(const Game& game, HireRefusal refusal);

// Buys the general for state s into its first free slot: paid, rested, and named `name` (cut to
// the name field's capacity) unless `name` is blank, when he keeps the name his slot had.
// Returns the refusal; `slot` gets the slot number when he is hired.
HireRefusal HireGeneral(Game& game, int s, const GeneralWish& wish, const std::string& name, int* slot = nullptr);

}  // namespace korvant
