#include "map/territory_choice.h"

#include "core/numbers.h"
#include "core/take_territory.h"

namespace korvant {

std::optional<MapCell> CellAtPixel(int mapSize, int pictureWidth, int x, int y) {
    if (mapSize <= 0 || pictureWidth <= 0 || x < 0 || y < 0) return std::nullopt;
    const Extended s = Extended(pictureWidth) / mapSize + 0.00001L;
    const int column = int(Trunc(x / s)) + 1;
    const int row = int(Trunc(y / s)) + 1;
    if (column < 1 || column > mapSize || row < 1 || row > mapSize) return std::nullopt;
    return MapCell{column, row};
}

void TerritoryChoice::Reset() {
    selected_ = 0;
    refused_.fill(false);
}

int TerritoryChoice::Click(const Game& game, int pictureWidth, int x, int y) {
    std::optional<MapCell> cell = CellAtPixel(game.MapSize, pictureWidth, x, y);
    if (!cell) return 0;
    const int owner = game.Map[cell->column][cell->row];
    if (owner < 1 || owner > MaxStates) return 0;
    selected_ = owner;
    return owner;
}

bool TerritoryChoice::Confirm(Game& game, int person, std::string_view name) {
    if (selected_ == 0) return false;
    if (TakeTerritory(game, selected_, person, name)) return true;
    refused_[std::size_t(selected_)] = true;
    return false;
}

}  // namespace korvant
