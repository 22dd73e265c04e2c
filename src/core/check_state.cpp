#include "core/check_state.h"

#include <cstdint>

#include "core/text_format.h"

namespace korvant {

namespace {

std::string JoinLines(const std::vector<std::string>& lines) {
    std::string all;
    for (const std::string& line : lines) {
        if (!all.empty()) all += '\n';
        all += line;
    }
    return all;
}

std::string Name(const Game& game, int s) { return game.mGos[s].Name.utf8(); }

// Every soldier is free or on exactly one border entry. Stops at the first state that
// does not balance; returns false then.
bool SoldiersBalance(const Game& game, std::string_view label, std::vector<std::string>& out) {
    for (int i = 1; i <= game.GosCount; ++i) {
        const TGos& gos = game.mGos[i];
        int64_t sum = 0;
        for (int k = 1; k <= game.GosCount; ++k) {
            for (int t = 1; t <= game.KindCount(); ++t) {
                int32_t troops = gos.Border[k].Troops[t];
                sum += troops;
                if (troops < 0)
                    out.push_back("У гос-ва " + Name(game, i) + " количество солдат на границе с " + Name(game, k) +
                                  "отрицательное");
            }
        }
        int64_t placed = int64_t(gos.FreeSoldiers) + sum;
        if (gos.Soldiers != placed) {
            out.push_back(std::string(label) + " " + Name(game, i) + " количество солдат не сходится" +
                          Dec(gos.Soldiers) + " " + Dec(placed) + " " + Dec(sum));
            return false;
        }
    }
    return true;
}

void NegativeCounts(const Game& game, std::vector<std::string>& out) {
    for (int i = 1; i <= game.GosCount; ++i) {
        const TGos& gos = game.mGos[i];
        if (gos.Peasants < 0) out.push_back("У гос-ва " + Name(game, i) + " количество крестьян отрицательное");
        if (gos.FreeScientists < 0)
            out.push_back("У гос-ва " + Name(game, i) + " количество свободных ученых отрицательное");
    }
}

// A general commanding on a border (or at home) must know that he stands there.
bool GeneralsInPlace(const Game& game, std::string_view label, std::vector<std::string>& out) {
    bool ok = true;
    for (int i = 1; i <= game.GosCount; ++i) {
        for (int k = 1; k <= game.GosCount; ++k) {
            const TBorder& border = game.mGos[i].Border[k];
            int g = border.Commander;
            if (g == 0 || (border.Touches != 1 && k != i)) continue;
            // A slot number beyond the table names nobody, so nobody stands there.
            int front = g <= GeneralSlots ? game.mGeneral[g].Front : 0;
            if (front != k) {
                out.push_back(std::string(label) + " " + "У гос-ва " + Name(game, i) + " на границе с" + Name(game, k) +
                              " генерал стоит, а у генерала инф. о границе не хватает !" + " фронт номер " +
                              Dec(front));
                ok = false;
            }
        }
    }
    return ok;
}

}  // namespace

StateError::StateError(std::vector<std::string> messages)
    : std::runtime_error(JoinLines(messages)), messages_(std::move(messages)) {}

void CheckState(Game& game, std::string_view label) {
    game.Guard.Verify(game);
    if (game.GameMode == ModeNetClient) return;

    std::vector<std::string> messages;
    bool ok = SoldiersBalance(game, label, messages);
    NegativeCounts(game, messages);
    ok = GeneralsInPlace(game, label, messages) && ok;

    if (ok) {
        for (const std::string& text : messages) game.Ui->MessageBox(text);
        return;
    }
    messages.push_back(game.Msg(Msg::ErrorGuardClosing));
    throw StateError(std::move(messages));
}

bool StateIsClean(const Game& game) {
    std::vector<std::string> messages;
    const bool balanced = SoldiersBalance(game, {}, messages);
    NegativeCounts(game, messages);
    return GeneralsInPlace(game, {}, messages) && balanced && messages.empty();
}

}  // namespace korvant
