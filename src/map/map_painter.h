#pragma once
// Paints the map: each state in its colour, black borders, and either square
// cells or "rounded" cells whose corners are cut where another state wraps
// around them. A painting may highlight one state: then only it and its
// neighbours are coloured, over a hatched grey background.
#include <cstdint>
#include <vector>

#include "core/game.h"
#include "map/picture.h"

namespace korvant {

// The colour of state `state` (1..20); white for anything else.
Rgb StateColour(int state);

class TMap {
public:
    static constexpr uint8_t NoOwner = 255;
    static constexpr int NoHighlight = -1;

    // Allocates width × height cells, all NoOwner.
    void Size(int width, int height);
    void SetCell(int x, int y, uint8_t owner) { cells_[std::size_t(x + y * width_)] = owner; }
    uint8_t Cell(int x, int y) const { return cells_[std::size_t(x + y * width_)]; }
    int Width() const { return width_; }
    int Height() const { return height_; }

    uint8_t count = 0;    // number of states
    bool borders = true;  // draw the borders
    uint32_t borderColour = Rgb{0, 0, 0}.pixel();

    // `highlight` is a 0-based owner, or NoHighlight.
    void Paint(Picture& picture, bool rounded, int highlight) const;

private:
    struct Ctx;
    void paintSquare(Ctx& c, int x, int y) const;
    void paintRounded(Ctx& c, int x, int y) const;
    void paintTiny(Ctx& c, int x, int y) const;

    int width_ = 0, height_ = 0;
    std::vector<uint8_t> cells_;
};

// The game's map, copied from `Map` with 0-based owners.
TMap MapOf(const Game& game);

// Paints the whole map, or with `CurGos` highlighted.
void DrawMap(const Game& game, Picture& picture, bool rounded);
void DrawMapFor(const Game& game, Picture& picture, bool rounded);

}  // namespace korvant
