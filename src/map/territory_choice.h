#pragma once
// What the territory window does with a person's clicks: the cell under the
// mouse, the state it belongs to, and the states he may no longer confirm.
#include <array>
#include <optional>
#include <string_view>

#include "core/game.h"

namespace korvant {

struct MapCell {
    int column, row;  // 1..MapSize, the first and second index of Map
};

// The cell under pixel (x, y) of a square picture `pictureWidth` wide showing the map;
// none outside the field.
std::optional<MapCell> CellAtPixel(int mapSize, int pictureWidth, int x, int y);

class TerritoryChoice {
public:
    // Each opening of the window starts with nothing refused and nothing selected.
    void Reset();
    // A click on the map: selects the state owning the cell; 0 (and no change) outside the field.
    int Click(const Game& game, int pictureWidth, int x, int y);
    // Whether the selected state may be confirmed (the confirm button is shown).
    bool CanConfirm() const { return selected_ != 0 && !refused_[std::size_t(selected_)]; }
    // Confirms the selected state for person number `person`. A state already taken is
    // refused (false) and cannot be confirmed again until the window reopens.
    bool Confirm(Game& game, int person, std::string_view name);

    int Selected() const { return selected_; }
    bool Refused(int s) const { return refused_[std::size_t(s)]; }

private:
    int selected_ = 0;
    std::array<bool, MaxStates + 1> refused_{};
};

}  // namespace korvant
