#pragma once
// Dividing the square field among the states: seeds on a coarse lattice, all
// states growing together one cell per pass, and the whole map drawn again
// until every state's area is close enough to the average.
#include "core/game.h"

namespace korvant {

struct MapGenerationResult {
    int attempts = 0;  // maps drawn for this request, the accepted one included
    int smallest = 0;  // area of the smallest state on the accepted map
    int largest = 0;   // area of the largest
};

// Smallest and largest field that GenerateMap accepts.
constexpr int MinGeneratedSize = 10;
constexpr int MaxGeneratedSize = 100;

// Fills Map[0..MapSize+1][0..MapSize+1] for GosCount states (every field cell gets a
// state number, the frame stays 0). Needs 2 <= GosCount <= 20 and MapSize in
// MinGeneratedSize..MaxGeneratedSize; throws std::invalid_argument otherwise.
MapGenerationResult GenerateMap(Game& game);

// Whether an area passes the balance test of the given attempt (counted from 1).
bool AreaBalanced(int area, int mapSize, int gosCount, int attempt);

}  // namespace korvant
