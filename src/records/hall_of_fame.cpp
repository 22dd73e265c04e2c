#include "records/hall_of_fame.h"

#include <cstdio>
#include <cstring>
#include <fstream>
#include <system_error>
#include <utility>

#include "core/numbers.h"
#include "core/replace_file.h"
#include "core/text_format.h"

namespace korvant {
namespace {

struct BuiltIn {
    int32_t states, destroyed, year, scienceSum, saves;
};

constexpr BuiltIn BuiltInEntries[LastGameEntry] = {
    {20, 14, 80, 150, 0}, {20, 11, 70, 130, 0}, {18, 9, 60, 90, 0},   {20, 13, 110, 290, 0},
    {15, 8, 80, 130, 1},  {15, 4, 105, 230, 2}, {10, 3, 115, 260, 3}, {0, 0, 0, 0, 0},
};

// A record the program itself could have written: names within their capacity, a known level.
bool Plausible(const THallTable& table) {
    for (const THallEntry& e : table) {
        if (e.Name.len > NameCapacity || e.Difficulty > DiffExpert) return false;
    }
    return true;
}

// What is wrong with the file, in the language's words (FileDoesNotOpen, FileWrongSize, FileDamaged).
void ReportDamaged(Game& game, const std::filesystem::path& file, const std::string& why) {
    game.Ui->MessageBox(FormatText(game.Msg(Msg::HallOfFameUnreadable), {file.string(), why}));
}

}  // namespace

int32_t HallScore(int32_t states, int32_t destroyed, int32_t year, int32_t scienceSum, int32_t saves) {
    Extended sides = Extended(destroyed) + states;
    Extended score = (Extended(scienceSum) + (150 - Extended(year)) * sides * sides) / (Extended(saves) + 1);
    return static_cast<int32_t>(Round(score));
}

std::optional<int32_t> AccessCode(int32_t score, int32_t scienceSum, int32_t destroyed, int32_t states, int32_t saves,
                                  int32_t year) {
    // 32-bit signed arithmetic that wraps on overflow, computed unsigned to stay defined.
    auto u = [](int32_t v) { return static_cast<uint32_t>(v); };
    uint32_t factor = u(score) + 3u * u(saves) - u(scienceSum) - 3u * u(destroyed) - u(states);
    int32_t x = static_cast<int32_t>(u(destroyed) + u(scienceSum) + u(saves) + u(year) + factor * u(year));
    if (x < 0) return std::nullopt;
    std::string digits = std::to_string(x);
    int32_t code = 0;
    for (std::size_t i = 0; i < digits.size(); ++i) {
        int d = digits[i] - '0';
        code += 66 * int32_t(i + 1) + d * d;
    }
    return code;
}

THallTable BuiltInHallTable(const Game& game) {
    THallTable table;
    std::memset(&table, 0, sizeof table);
    for (int k = 1; k <= LastGameEntry; ++k) {
        const BuiltIn& b = BuiltInEntries[k - 1];
        THallEntry& e = table[k];
        e.Name.set(game.Msg(MsgAt(Msg::FameRuler1, k - 1)));
        e.States = b.states;
        e.Destroyed = b.destroyed;
        e.Year = b.year;
        e.ScienceSum = b.scienceSum;
        e.Saves = b.saves;
        e.Difficulty = DiffExpert;
        e.Score = b.year == 0 ? 0 : HallScore(b.states, b.destroyed, b.year, b.scienceSum, b.saves);
    }
    return table;
}

bool WriteHallOfFame(Game& game, const THallTable& table, const std::filesystem::path& file) {
    bool ok = true;
    try {
        ReplaceFile(file, {std::span(reinterpret_cast<const uint8_t*>(&table), sizeof table)});
    } catch (const FileWriteError&) {
        ok = false;
        game.Ui->MessageBox(game.Msg(Msg::HallOfFameWriteFailed));
    }
    return ok;
}

std::optional<THallTable> ReadHallOfFame(Game& game, const std::filesystem::path& file) {
    std::error_code ec;
    if (!std::filesystem::exists(file, ec)) {
        THallTable builtIn = BuiltInHallTable(game);
        if (!WriteHallOfFame(game, builtIn, file)) return builtIn;
    }
    std::ifstream in(file, std::ios::binary);
    if (!in) {
        ReportDamaged(game, file, game.Msg(Msg::FileDoesNotOpen));
        return std::nullopt;
    }
    THallTable table;
    in.read(reinterpret_cast<char*>(&table), sizeof table);
    if (in.gcount() != std::streamsize(sizeof table)) {
        ReportDamaged(game, file, FormatText(game.Msg(Msg::FileWrongSize), {Dec(in.gcount()), Dec(sizeof table)}));
        return std::nullopt;
    }
    if (!Plausible(table)) {
        ReportDamaged(game, file, game.Msg(Msg::FileDamaged));
        return std::nullopt;
    }
    return table;
}

std::optional<THallTable> RecordLastGame(Game& game, const std::filesystem::path& file) {
    int person = 0;
    for (int s = 1; s <= game.GosCount; ++s) {
        if (game.mGos[s].Human != 0) person = s;
    }
    if (person == 0) return std::nullopt;
    std::error_code ec;
    const bool existed = std::filesystem::exists(file, ec);
    std::optional<THallTable> read = ReadHallOfFame(game, file);
    if (!read) return std::nullopt;
    THallTable table = *read;

    const TGos& gos = game.mGos[person];
    int32_t scienceSum = 0;
    for (int i = 1; i <= ScienceCount; ++i) scienceSum += gos.Science[i].Level;
    if (game.Year == 0) game.Year = 1;
    if (game.DiffLevel != DiffExpert) game.SaveCount = 0;

    THallEntry& last = table[LastGameEntry];
    std::memset(&last, 0, sizeof last);
    last.Name = gos.PlayerName;
    last.States = game.GosCount;
    last.Destroyed = gos.Conquests;
    last.Year = game.Year;
    last.ScienceSum = scienceSum;
    last.Saves = game.SaveCount;
    last.Difficulty = game.DiffLevel;
    if (game.HumanWon) {
        if (game.DiffLevel != DiffTraining)
            last.Score = HallScore(last.States, last.Destroyed, last.Year, last.ScienceSum, last.Saves);
        // A negative X has no code; the result is kept without one.
        if (game.DiffLevel == DiffExpert)
            last.AccessCode =
                AccessCode(last.Score, last.ScienceSum, last.Destroyed, last.States, last.Saves, last.Year).value_or(0);
    }

    if (last.Score > table[HallPlaces].Score) {
        table[HallPlaces] = last;
        // One upward pass: the newcomer rises above every equal or lower score.
        for (int i = HallPlaces - 1; i >= 1; --i) {
            if (table[i + 1].Score >= table[i].Score) std::swap(table[i], table[i + 1]);
        }
    }
    // A folder that refused even the built-in table has been reported once already.
    if (!existed && !std::filesystem::exists(file, ec)) return read;
    if (!WriteHallOfFame(game, table, file)) return read;
    return table;
}

std::optional<THallTable> ResetHallOfFame(Game& game, const std::filesystem::path& file) {
    if (!WriteHallOfFame(game, BuiltInHallTable(game), file)) return std::nullopt;
    return ReadHallOfFame(game, file);
}

std::string HallName(const Game& game, const THallEntry& e) {
    for (int k = 1; k <= LastGameEntry; ++k) {
        const BuiltIn& b = BuiltInEntries[k - 1];
        const int32_t score = b.year == 0 ? 0 : HallScore(b.states, b.destroyed, b.year, b.scienceSum, b.saves);
        if (e.States == b.states && e.Destroyed == b.destroyed && e.Year == b.year && e.ScienceSum == b.scienceSum &&
            e.Saves == b.saves && e.Score == score && e.Difficulty == DiffExpert && e.AccessCode == 0)
            return game.Msg(MsgAt(Msg::FameRuler1, k - 1));
    }
    return e.Name.utf8();
}

std::array<std::string, 8> HallRow(const THallEntry& e) {
    auto num = [](int32_t v) { return v == 0 ? std::string("-") : Dec(v); };
    return {e.Name.utf8(),
            num(e.Score),
            num(e.States),
            num(e.Destroyed),
            num(e.Year),
            num(e.ScienceSum),
            e.Difficulty == DiffExpert ? num(e.Saves) : std::string("-"),
            num(e.AccessCode)};
}

}  // namespace korvant
