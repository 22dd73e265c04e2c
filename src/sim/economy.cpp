#include "sim/economy.h"

#include <algorithm>
#include <limits>

#include "core/colors.h"
#include "core/numbers.h"
#include "core/text_format.h"
#include "sim/messages.h"

namespace korvant {

namespace {

// Money and grain saturate instead of wrapping round to a negative store.
int32_t ClampInt32(int64_t v) {
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

void Tell(Game& game, int s, int32_t colour, Msg id, std::initializer_list<std::string_view> values) {
    AddMessage(game, MesForState, static_cast<uint8_t>(s), colour, FormatText(game.Msg(id), values));
}

// Who is paid by one wage bill, and the messages that tell how it went.
struct Payroll {
    long double exponent;
    Msg paid, grainSold, allGone, someGone;
};

constexpr Payroll ScientistPayroll{ScientistWageExponent, Msg::ScientistsPaid, Msg::ScientistsPaidFromGrain,
                                   Msg::AllScientistsLeft, Msg::UnpaidScientistsLeft};
constexpr Payroll SoldierPayroll{SoldierWageExponent, Msg::ArmyPaid, Msg::ArmyPaidFromGrain, Msg::AllSoldiersDeserted,
                                 Msg::UnpaidSoldiersDeserted};

// Sends everyone of the class back to the free pool, so that those who leave can be taken from it.
void FreeScientists(Game& game, int s) {
    TGos& gos = game.mGos[s];
    for (int i = 1; i <= ScienceCount; ++i) {
        gos.FreeScientists += gos.Science[i].Staff;
        gos.Science[i].Staff = 0;
    }
}

void FreeSoldiers(Game& game, int s) {
    TGos& gos = game.mGos[s];
    for (int k = 1; k <= game.GosCount; ++k) {
        for (int t = 1; t <= game.KindCount(); ++t) {
            gos.FreeSoldiers += gos.Border[k].Troops[t];
            gos.Border[k].Troops[t] = 0;
        }
    }
}

// Pays one class `staff`; sells the grain beyond next year's seed when money is short, and
// lets go of people when even that does not cover the bill.
void Pay(Game& game, int s, int32_t& staff, const Payroll& payroll, void (*freeAll)(Game&, int), int32_t& freePool) {
    TGos& gos = game.mGos[s];
    const int64_t w = Wage(staff, payroll.exponent);
    if (w <= 0) return;

    if (gos.Money >= w) {
        gos.Money = ClampInt32(gos.Money - w);
        Tell(game, s, color::Olive, payroll.paid, {Dec(w)});
        return;
    }

    int64_t kept = gos.Money;
    gos.Money = 0;
    const TScience& agrarian = gos.Science[SciAgrarian];
    const int64_t reserve = Trunc(Extended(SowableCells(game, s)) * agrarian.Effect + 1);
    const int64_t surplus = int64_t(gos.Grain) - reserve;
    if (surplus > 0) {
        gos.Money = ClampInt32(Trunc(Extended(surplus) * gos.Science[SciFinance].Effect));
        gos.Grain = ClampInt32(gos.Grain - surplus);
        Tell(game, s, color::Olive, payroll.grainSold, {Dec(gos.Money)});
    }

    if (gos.Money + kept >= w) {
        gos.Money = ClampInt32(gos.Money + kept - w);
        Tell(game, s, color::Olive, payroll.paid, {Dec(w)});
        return;
    }

    freeAll(game, s);
    kept += gos.Money;
    gos.Money = 0;
    const int64_t leave = Trunc((1 - Extended(kept) / w) * staff) + 1;
    if (leave < staff) {
        Tell(game, s, color::Red, payroll.someGone, {Dec(leave)});
        staff = static_cast<int32_t>(staff - leave);
        freePool = staff;
    } else {
        Tell(game, s, color::Red, payroll.allGone, {});
        staff = 0;
        freePool = 0;
    }
}

}  // namespace

int64_t Wage(int64_t n, long double x) {
    if (n <= 0) return 0;
    return Trunc(Power(n, x));
}

int SowableCells(const Game& game, int s) {
    const TGos& gos = game.mGos[s];
    int64_t cells = int64_t(std::min<int32_t>(gos.Peasants, gos.Territory)) - gos.Sown;
    const float seed = gos.Science[SciAgrarian].Effect;
    if (seed > 0) cells = std::min<int64_t>(cells, Trunc(Extended(gos.Grain) / seed));
    return static_cast<int>(std::max<int64_t>(cells, 0));
}

void Harvest(Game& game, int s) {
    TGos& gos = game.mGos[s];
    if (gos.Territory < gos.Sown) gos.Sown = static_cast<uint16_t>(std::max<int16_t>(gos.Territory, 0));
    const int64_t grown = 2 * Trunc(Extended(gos.Sown) * gos.Science[SciAgrarian].Effect);
    gos.Grain = ClampInt32(gos.Grain + grown);
    const int64_t worth = Trunc(Extended(grown) * gos.Science[SciFinance].Effect);
    Tell(game, s, color::Green, Msg::HarvestGrown, {Dec(grown), Dec(worth)});
    gos.Sown = 0;
    if (game.Year >= 1 && game.Year <= MaxYears) game.History[s][game.Year].Grown = ClampInt32(grown);
}

void Growth(Game& game, int s) {
    TGos& gos = game.mGos[s];
    const int64_t total = int64_t(gos.Peasants) + gos.Scientists + gos.Soldiers;
    const int64_t born = Round(Extended(total) * gos.Science[SciGrowth].Effect / 100 + 1);
    const Extended cap = Extended(gos.Territory) * gos.Science[SciDensity].Effect;
    if (total + born > cap) {
        // Brought up to the limit exactly, never cut down to it.
        if (total < cap) gos.Peasants = ClampInt32(Round(cap) - gos.Scientists - gos.Soldiers);
        Tell(game, s, color::Red, Msg::NoMoreLand, {});
    } else {
        gos.Peasants = ClampInt32(gos.Peasants + born);
        Tell(game, s, color::Blue, Msg::PopulationGrew, {Dec(born)});
    }
}

void Research(Game& game, int s) {
    TGos& gos = game.mGos[s];
    const Extended p = game.CostGrowth;
    for (int i = 1; i <= ScienceCount; ++i) {
        TScience& sci = gos.Science[i];
        sci.Progress = ClampInt32(Trunc(Extended(sci.Staff) * gos.Science[SciResearch].Effect + sci.Progress));
        if (sci.Progress < sci.Cost) continue;
        // One level a year at most; the points beyond the cost carry over.
        sci.Level += 1;
        sci.Progress -= sci.Cost;
        sci.Cost = ClampInt32(Round(sci.Cost + p + p / 1.2L * sci.Level));
        sci.Effect = static_cast<float>(Extended(sci.Effect) + sci.Step + Extended(sci.Step) / 5 * sci.Level);
        Tell(game, s, color::Navy, MsgAt(Msg::DensityRaised, i - 1), {Dec(sci.Level)});
    }
}

void PayWages(Game& game, int s) {
    TGos& gos = game.mGos[s];
    Pay(game, s, gos.Scientists, ScientistPayroll, FreeScientists, gos.FreeScientists);
    Pay(game, s, gos.Soldiers, SoldierPayroll, FreeSoldiers, gos.FreeSoldiers);
}

}  // namespace korvant
