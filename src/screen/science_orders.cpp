#include "screen/science_orders.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "core/numbers.h"
#include "core/state_guard.h"

namespace korvant {
namespace {

double Research(const Game& game, int s) { return game.mGos[s].Science[SciResearch].Effect; }

}  // namespace

int YearsToNextLevel(const Game& game, int s, int sc) {
    const TScience& science = game.mGos[s].Science[sc];
    const double y = double(science.Cost - science.Progress) / ((science.Staff + 0.001) * Research(game, s)) + 1;
    if (y > MaxYearsShown) return MaxYearsShown;
    if (!(y >= 0)) return 0;  // negative, or not a number
    return int(Trunc(y));
}

int GaugePosition(const Game& game, int s, int sc) {
    const TScience& science = game.mGos[s].Science[sc];
    return int(Trunc(Extended(science.Staff) * Research(game, s)) + science.Progress);
}

std::string EffectText(const Game& game, int s, int sc) {
    Extended effect = game.mGos[s].Science[sc].Effect;
    if (sc == SciMilitary) effect /= 100;
    char text[64];
    std::snprintf(text, sizeof text, "%.2Lf", effect);
    return text;
}

int SpinStep(int maximum, int divisor) { return int(Trunc(Extended(maximum) / divisor + 1)); }

int StaffForOneYear(const Game& game, int s, int sc) {
    const TScience& science = game.mGos[s].Science[sc];
    const Extended r = Research(game, s);
    if (!(r > 0)) return 0;  // no research at all: no staff reaches the cost in a year
    int64_t n = Trunc((science.Cost - science.Progress) / r);
    if (Trunc(n * r + science.Progress) < science.Cost) n += 1;
    return int(std::clamp<int64_t>(n, -1, INT32_MAX));
}

bool StaffOneYear(Game& game, int s, int sc) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    TScience& science = gos.Science[sc];
    const int n = StaffForOneYear(game, s, sc);
    if (n <= 0 || int64_t(gos.FreeScientists) + science.Staff < n) return false;
    gos.FreeScientists = gos.FreeScientists + science.Staff - n;
    science.Staff = n;
    return true;
}

bool SetStaff(Game& game, int s, int sc, int staff) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    TScience& science = gos.Science[sc];
    if (science.Staff <= 0 && gos.FreeScientists <= 0) return false;
    const int v = std::clamp(staff, 0, science.Staff + std::max(0, gos.FreeScientists));
    gos.FreeScientists += science.Staff - v;
    science.Staff = v;
    return true;
}

void StaffAll(Game& game, int s, int sc) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    TScience& science = gos.Science[sc];
    const int m = science.Staff + gos.FreeScientists;
    if (m <= 0) return;
    science.Staff = m;
    gos.FreeScientists = 0;
}

void StaffNone(Game& game, int s, int sc) {
    StateChange change(game);  // an order of the person: his own change of the state
    TGos& gos = game.mGos[s];
    gos.FreeScientists += gos.Science[sc].Staff;
    gos.Science[sc].Staff = 0;
}

void FreeAllScientists(Game& game, int s) {
    StateChange change(game);  // an order of the person: his own change of the state
    for (int sc = 1; sc <= ScienceCount; ++sc) StaffNone(game, s, sc);
}

}  // namespace korvant
