#include "screen/general_hiring.h"

#include <algorithm>

#include "core/colors.h"
#include "core/state_guard.h"
#include "core/text_format.h"
#include "sim/computer_economy.h"

namespace korvant {

int HiringPrice(const Game& game, const GeneralWish& wish) {
    return GeneralPrice(game, wish.age, wish.knowledge, wish.attestation, wish.speed);
}

int32_t HiringPriceColour(const Game& game, int s, int64_t price) {
    return price > game.mGos[s].Money ? color::Red : color::Olive;
}

HireRefusal HireCheck(const Game& game, int s, int64_t price) {
    const TGos& gos = game.mGos[s];
    if (gos.GeneralCount >= MaxGenerals) return HireRefusal::TooMany;
    if (gos.GeneralCount >= gos.NeighbourCount + 2) return HireRefusal::TooFewFronts;
    if (price > gos.Money) return HireRefusal::NoMoney;
    if (FreeGeneralSlot(game, s) == 0) return HireRefusal::NoSlot;
    return HireRefusal::None;
}

std::string RefusalText(const Game& game, HireRefusal refusal) {
    switch (refusal) {
        case HireRefusal::TooMany: return FormatText(game.Msg(Msg::MaxGenerals), {Dec(MaxGenerals)});
        case HireRefusal::TooFewFronts: return game.Msg(Msg::TooManyGeneralsForFronts);
        case HireRefusal::NoMoney: return game.Msg(Msg::NotEnoughMoneyForGeneral);
        case HireRefusal::NoSlot: return game.Msg(Msg::AllGeneralSlotsTaken);
        case HireRefusal::None: break;
    }
    return {};
}

HireRefusal HireGeneral(Game& game, int s, const GeneralWish& wish, const std::string& name, int* slot) {
    StateChange change(game);  // an order of the person: his own change of the state
    const int price = HiringPrice(game, wish);
    const HireRefusal refusal = HireCheck(game, s, price);
    if (refusal != HireRefusal::None) return refusal;
    const int g = FreeGeneralSlot(game, s);
    TGos& gos = game.mGos[s];
    gos.GeneralCount += 1;
    gos.Money -= price;
    TCommander& general = game.mGeneral[g];
    general.Owner = static_cast<uint8_t>(s);
    general.Age = static_cast<uint8_t>(wish.age);
    general.Knowledge = static_cast<uint8_t>(wish.knowledge);
    general.Attestation = static_cast<uint8_t>(wish.attestation);
    general.Speed = static_cast<uint8_t>(wish.speed);
    general.Order = OrderRest;
    // A blank name would leave a general nobody can tell apart in the grid.
    if (name.find_first_not_of(' ') != std::string::npos) general.Name.set(name);
    if (slot) *slot = g;
    return HireRefusal::None;
}

}  // namespace korvant
