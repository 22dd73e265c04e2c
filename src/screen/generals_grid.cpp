#include "screen/generals_grid.h"

#include "core/cp1251.h"
#include "core/state_guard.h"
#include "sim/borders.h"
#include "sim/generals.h"

namespace korvant {
namespace {

// The first `n` characters of a text (names hold one byte per character in their record).
std::string Cut(const std::string& utf8, std::size_t n) { return Cp1251ToUtf8(Utf8ToCp1251(utf8).substr(0, n)); }

constexpr std::size_t FrontCellChars = 14;

}  // namespace

std::vector<int> GeneralsOf(const Game& game, int s) {
    std::vector<int> slots;
    const int count = game.mGos[s].GeneralCount;
    for (int g = 1; g <= GeneralSlots && int(slots.size()) < count; ++g)
        if (game.mGeneral[g].Owner == s) slots.push_back(g);
    return slots;
}

std::string OrderText(const Game& game, int order) {
    switch (order) {
        case OrderDefend: return game.Msg(Msg::OrderDefend);
        case OrderAttack: return game.Msg(Msg::OrderAttack);
        case OrderRest: return game.Msg(Msg::OrderRest);
        case OrderStudy: return game.Msg(Msg::OrderStudy);
        default: return {};
    }
}

std::array<std::string, GridColumns> GeneralCells(const Game& game, int s, int g) {
    const TCommander& general = game.mGeneral[g];
    const int front = general.Front;
    std::array<std::string, GridColumns> cells;
    cells[ColSlot] = std::to_string(g);
    if (front == 0) {
        cells[ColFront] = game.Msg(Msg::NoneWord);
    } else {
        cells[ColFront] = Cut(" " + game.mGos[front].Name.utf8(), FrontCellChars);
        cells[ColSoldiers] =
            front == s ? game.Msg(Msg::AtHomeWord) : "   " + std::to_string(TroopsOnBorder(game, s, front));
    }
    cells[ColName] = general.Name.utf8();
    cells[ColAge] = "     " + std::to_string(general.Age);
    cells[ColKnowledge] = "    " + std::to_string(general.Knowledge);
    cells[ColSpirit] = "    " + std::to_string(general.Spirit);
    cells[ColMark] = "      " + std::to_string(general.Attestation);
    cells[ColOrder] = OrderText(game, general.Order);
    cells[ColSpeed] = "   " + std::to_string(general.Speed);
    return cells;
}

void PlaceOrWithdraw(Game& game, int s, int g, int neighbour) {
    StateChange change(game);  // an order of the person: his own change of the state
    TCommander& general = game.mGeneral[g];
    TGos& gos = game.mGos[s];
    if (general.Front != 0) {
        if (general.Front <= MaxStates) gos.Border[general.Front].Commander = 0;
        general.Front = 0;
        general.Order = OrderRest;
        return;
    }
    if (neighbour < 1 || neighbour > game.GosCount || gos.Border[neighbour].Commander != 0) return;
    general.Front = static_cast<uint8_t>(neighbour);
    general.Order = OrderAttack;
    gos.Border[neighbour].Commander = static_cast<uint8_t>(g);
}

void CycleOrder(Game& game, int s, int g) {
    StateChange change(game);  // an order of the person: his own change of the state
    TCommander& general = game.mGeneral[g];
    TBorder& home = game.mGos[s].Border[s];
    switch (general.Order) {
        case OrderDefend:
            // A battle fought without attackers can leave the home defence on the threatened border:
            // he leaves whichever post he holds, so no border keeps a commander who is not there.
            if (general.Front >= 1 && general.Front <= MaxStates && game.mGos[s].Border[general.Front].Commander == g)
                game.mGos[s].Border[general.Front].Commander = 0;
            if (home.Commander == g) home.Commander = 0;
            general.Order = OrderRest;
            general.Front = 0;
            break;
        case OrderRest: general.Order = OrderStudy; break;
        case OrderStudy:
            if (home.Commander == 0) {
                general.Order = OrderDefend;
                general.Front = static_cast<uint8_t>(s);
                home.Commander = static_cast<uint8_t>(g);
            } else {
                general.Order = OrderRest;
            }
            break;
        default: break;
    }
}

bool MayDismiss(const Game& game, int g) { return game.mGeneral[g].Front == 0; }

void DismissGeneral(Game& game, int s, int g) {
    StateChange change(game);  // an order of the person: his own change of the state
    NewGeneral(game, g);
    if (game.mGos[s].GeneralCount > 0) game.mGos[s].GeneralCount -= 1;
}

void AllRest(Game& game, int s) {
    StateChange change(game);  // an order of the person: his own change of the state
    for (int k = 1; k <= game.GosCount; ++k) game.mGos[s].Border[k].Commander = 0;
    for (int g = 1; g <= GeneralSlots; ++g) {
        TCommander& general = game.mGeneral[g];
        if (general.Owner != s) continue;
        general.Front = 0;
        general.Order = OrderRest;
    }
}

}  // namespace korvant
