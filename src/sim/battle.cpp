#include "sim/battle.h"

#include <algorithm>

#include "core/check_state.h"
#include "core/colors.h"
#include "core/cp1251.h"
#include "sim/battle_report.h"
#include "sim/borders.h"
#include "sim/generals.h"

namespace korvant {

namespace {

bool IsState(const Game& game, int s) { return s >= 1 && s <= game.GosCount; }

// "Ходит <state>": whose move it is.
void ReportMove(Game& game, int s) {
    AddBattleMessage(game, color::Blue, Followed(game.Msg(Msg::SideMoves), GosName(game, s)));
}

void ReportCommander(Game& game, int d) {
    AddBattleMessage(game, color::Blue, Followed(game.Msg(Msg::DefenceCommandedBy), game.mGeneral[d].Name.utf8()));
}

// The narration of tactic t against u: its first line in green, the rest in navy. The two
// lines are parted by a carriage return and one more character.
void Narrate(Game& game, int t, int u) {
    const std::string_view text = game.Rules.BattleTexts[t][u].raw();
    const std::size_t cr = text.find('\r');
    AddBattleMessage(game, color::Green, Cp1251ToUtf8(text.substr(0, cr)));
    if (cr == std::string_view::npos || cr + 2 >= text.size()) return;
    AddBattleMessage(game, color::Navy, Cp1251ToUtf8(text.substr(cr + 2)));
}

// The defender's commander for this layer: the one on the attacked border, or else the
// people's commander, called up for this battle only.
int DefendingCommander(Game& game, int x, int y) {
    TBorder& border = game.mGos[y].Border[x];
    if (border.Commander != 0) {
        ReportCommander(game, border.Commander);
        if (border.Fortified == 1) Report(game, color::Green, Msg::DefenceWellPrepared);
        return border.Commander;
    }
    Report(game, color::Red, Msg::DefenceCommanderFromPeople);
    TCommander& people = game.mGeneral[PeoplesCommander];
    people.Name.set(game.Msg(Msg::PeoplesCommanderName));
    people.Front = static_cast<uint8_t>(x);
    people.Owner = static_cast<uint8_t>(y);
    border.Commander = PeoplesCommander;
    ReportCommander(game, PeoplesCommander);
    return PeoplesCommander;
}

void ReportLayerOpening(Game& game, int g, bool borderLayer) {
    const std::string x = GosName(game, game.BattleAttacker), y = GosName(game, game.BattleDefender);
    Report(game, color::Blue, Msg::BattleHeading);
    Report(game, color::Red, Msg::TrumpetsSound);
    Report(game, color::Navy, Msg::StateAttacked, {x, y});
    if (borderLayer) {
        Report(game, color::Black, Msg::BorderTroopsMeet, {y, x});
        Report(game, color::Black, Msg::BorderTroopsFightFirst);
        Report(game, color::Black, Msg::HomeDefenceJoins);
    }
    Report(game, color::Blue, Msg::AttackersLedBy, {game.mGeneral[g].Name.utf8()});
}

enum class RoundsEnd { DefenderDestroyed, AttackerDestroyed, Draw };

// The rounds of one layer, each a strike of the attacker and, if the defenders still stand,
// their answer. Returns how the rounds ended and sets `rounds` to the rounds begun.
RoundsEnd FightRounds(Game& game, int g, int d, int& rounds) {
    const int x = game.BattleAttacker, y = game.BattleDefender;
    const std::string xName = GosName(game, x), yName = GosName(game, y);
    int u = 1;
    for (rounds = 1;; ++rounds) {
        StatusReport(game, x, y);
        ReportMove(game, x);
        const int t = ChooseTactic(game, x, y, g, u);
        Narrate(game, t, u);
        if (Strike(game, x, y, t, u)) return RoundsEnd::DefenderDestroyed;

        ReportMove(game, y);
        u = ChooseTactic(game, y, x, d, t);
        Narrate(game, u, t);
        const bool attackerDestroyed = Strike(game, y, x, u, t);
        if (!attackerDestroyed && rounds >= MaxRounds) {
            Report(game, color::Green, Msg::BattleDrawn, {xName, yName});
            return RoundsEnd::Draw;
        }
        CheckState(game, "Бой затянулся между :" + xName + " и " + yName + ":");
        if (attackerDestroyed) {
            LowerBy(game.mGos[x].Attitude(y), 4);
            CheckState(game, xName + " не смог победить " + yName + ":");
            return RoundsEnd::AttackerDestroyed;
        }
    }
}

// One defence layer: the army on the attacked border with its commander, or, when the border
// has no commander, the home defence brought to it. Returns true when the defender's border
// army fell and its home defence must fight next.
bool FightLayer(Game& game, int g, CellTaker take) {
    const int x = game.BattleAttacker, y = game.BattleDefender;
    TGos& attacker = game.mGos[x];
    TGos& defender = game.mGos[y];
    const std::string xName = GosName(game, x), yName = GosName(game, y);

    const bool borderLayer = defender.Border[x].Commander != 0;
    if (!borderLayer) SwapHomeDefence(game, y, x);
    CheckState(game, "Задолго до битвы, после престановки генерала и войск: " + xName + " на " + yName + ":");
    // Nobody attacks: no battle, and the home defence called up stays on the threatened border.
    if (TroopsOnBorder(game, x, y) == 0) return false;

    LowerBy(defender.Attitude(x), 3);
    game.Chronicle += xName + " - " + yName + "\r\n";
    ReportLayerOpening(game, g, borderLayer);
    const int d = DefendingCommander(game, x, y);
    attacker.ArmySpirit = game.mGeneral[g].Spirit;
    defender.ArmySpirit = game.mGeneral[d].Spirit;
    Report(game, color::Red, Msg::BattleBegins);

    int rounds = 0;
    const RoundsEnd end = FightRounds(game, g, d, rounds);
    bool homeDefenceNext = false;
    if (end == RoundsEnd::DefenderDestroyed) {
        if (borderLayer) {
            LowerBy(defender.Grudge(x), 2);
            homeDefenceNext = true;
        } else {
            LowerBy(defender.Attitude(x), 3);
            LowerBy(attacker.Attitude(y), 5);
            Capture(game, x, y, take);
        }
    }

    KnowledgeGain(game, g, rounds);
    KnowledgeGain(game, d, rounds);
    LowerBy(game.mGeneral[g].Spirit, borderLayer ? 5 : 10);
    LowerBy(game.mGeneral[d].Spirit, 5);
    if (d == PeoplesCommander) {
        NewGeneral(game, PeoplesCommander);
        defender.Border[x].Commander = 0;
    }
    if (!borderLayer) SwapHomeDefence(game, y, x);  // the home defence returns home
    CheckState(game, xName + " дрался с " + yName + ":");
    CheckFronts(game);
    return homeDefenceNext;
}

}  // namespace

void Attack(Game& game, int g, CellTaker take) {
    const int x = game.mGeneral[g].Owner;
    const int y = game.mGeneral[g].Front;
    if (!IsState(game, x) || !IsState(game, y) || x == y) return;  // he stands on no foreign border

    game.BattleAttacker = static_cast<uint8_t>(x);
    game.BattleDefender = static_cast<uint8_t>(y);
    game.mGos[y].TimesAttacked += 1;
    RaiseBy(game.mGos[y].Grudge(x), 2);
    while (FightLayer(game, g, take)) {
    }
}

void SwapHomeDefence(Game& game, int s, int k) {
    TBorder& border = game.mGos[s].Border[k];
    TBorder& home = game.mGos[s].Border[s];
    for (int t = 1; t <= MaxKinds && t <= game.KindCount(); ++t) std::swap(border.Troops[t], home.Troops[t]);
    std::swap(border.Commander, home.Commander);
    if (border.Commander >= 1 && border.Commander <= GeneralSlots)
        game.mGeneral[border.Commander].Front = static_cast<uint8_t>(k);
    if (home.Commander >= 1 && home.Commander <= GeneralSlots)
        game.mGeneral[home.Commander].Front = static_cast<uint8_t>(s);
}

void KnowledgeGain(Game& game, int g, int rounds) {
    const int c = rounds / 2;
    TCommander& general = game.mGeneral[g];
    if (c <= 0 || g == PeoplesCommander || general.Knowledge >= 100) return;
    general.Knowledge = static_cast<uint8_t>(std::min(100, general.Knowledge + c));
    AddMessage(game, MesForState, general.Owner, color::Black,
               FormatText(game.Msg(Msg::GeneralGainedMastery), {general.Name.utf8(), Dec(c)}));
}

}  // namespace korvant
