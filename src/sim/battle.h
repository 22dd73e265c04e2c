#pragma once
// Battles: an attacking general against the army facing him, then the defender's home
// defence; a won battle takes land.
#include <string>

#include "core/game.h"
#include "sim/capture.h"

namespace korvant {

// The people's commander: takes a border that has no commander for one battle.
constexpr int PeoplesCommander = SubstituteGeneral;

// Most rounds one defence layer lasts; a layer still undecided then is a draw.
constexpr int MaxRounds = 20;

// The whole battle of attacking general g against the state on whose border he stands.
// `take` chooses the cells a won battle takes.
void Attack(Game& game, int g, CellTaker take = TakeCellsAlongBorder);

// Exchanges state s's troops and commander on its border with k with its home defence;
// a commander who moves learns his new Front.
void SwapHomeDefence(Game& game, int s, int k);

// The tactic side a, led by general g, uses against b after b's tactic u: among the tactics
// g and his army qualify for, the one promising most damage (the later on a tie); an
// outnumbered side strongly prefers tactics 6 and 7.
int ChooseTactic(Game& game, int a, int b, int g, int u);

// Side a, using tactic t, strikes b's army on their border (b using u). Returns true when
// b's army there is destroyed.
bool Strike(Game& game, int a, int b, int t, int u);

// Reports both armies on the border of a and b, kind by kind, with their spirit.
void StatusReport(Game& game, int a, int b);

// A general gains one point of mastery for every two rounds fought (never the people's commander).
void KnowledgeGain(Game& game, int g, int rounds);

}  // namespace korvant
