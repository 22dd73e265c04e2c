#pragma once
// The generals grid of the border tab: which generals it lists, what each cell says, and the
// orders a double-click gives: place on or withdraw from a border, cycle the order, dismiss.
#include <array>
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant {

enum GridColumn {
    ColMarker,
    ColSlot,
    ColFront,
    ColSoldiers,
    ColName,
    ColAge,
    ColKnowledge,
    ColSpirit,
    ColMark,
    ColOrder,
    ColSpeed,
    GridColumns
};
// Widths in pixels; the slot number is kept in a hidden column.
constexpr std::array<int, GridColumns> GridColumnWidths{10, 0, 68, 53, 70, 46, 45, 42, 49, 52, 36};

// The titles of the columns from ColFront on; the marker and the slot number have none.
constexpr std::array<Msg, GridColumns - ColFront> GridColumnTitles{
    Msg::GridOnBorder, Msg::GridSoldiers, Msg::GridName,  Msg::GridAge,   Msg::GridKnowledge,
    Msg::GridSpirit,   Msg::GridMark,     Msg::GridOrder, Msg::GridSpeed,
};

// The slots of state s's generals in slot order, as many as its GeneralCount.
std::vector<int> GeneralsOf(const Game& game, int s);

// The text of an order in the grid.
std::string OrderText(const Game& game, int order);

// The cells of general g's row for his owner s (the marker cell is empty).
std::array<std::string, GridColumns> GeneralCells(const Game& game, int s, int g);

// Column "На границе": withdraws a general who stands anywhere (he rests), or places one who
// stands nowhere on the border of `neighbour` to attack, when nobody commands there yet.
void PlaceOrWithdraw(Game& game, int s, int g, int neighbour);

// Column "Приказ": home defence → rest → study → home defence (or rest again while another
// general holds the home defence). An attacking general keeps his order.
void CycleOrder(Game& game, int s, int g);

// Only a general who stands on no border and not at home may be dismissed.
bool MayDismiss(const Game& game, int g);
// Sends general g of state s back to the pool.
void DismissGeneral(Game& game, int s, int g);

// "Отдыхать": every general of state s leaves his post and rests.
void AllRest(Game& game, int s);

}  // namespace korvant
