#include "sim/statistics.h"

namespace korvant {

void RecordYear(Game& game, int s) {
    if (game.Year < 1 || game.Year > MaxYears) return;
    const TGos& gos = game.mGos[s];
    THistoryRec& rec = game.History[s][game.Year];
    const bool alive = gos.Alive != 0;
    for (int i = 1; i <= ScienceCount; ++i) rec.Level[i - 1] = alive ? static_cast<uint8_t>(gos.Science[i].Level) : 0;
    rec.Peasants = alive ? gos.Peasants : 0;
    rec.Territory = alive ? gos.Territory : 0;
    // Low 16 bits: large armies are recorded modulo 65536.
    rec.Scientists = alive ? static_cast<int16_t>(gos.Scientists) : 0;
    rec.Soldiers = alive ? static_cast<int16_t>(gos.Soldiers) : 0;
}

}  // namespace korvant
