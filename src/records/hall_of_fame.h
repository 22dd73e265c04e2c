#pragma once
// The hall of fame: the seven best one-person games on this computer and the
// last one played, kept in the 384-byte records file "tav.rec".
#include <array>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <string>
#include <type_traits>

#include "core/game.h"
#include "core/records.h"

namespace korvant {

struct THallEntry {
    TName Name;  // the ruler: the person's PlayerName
    uint8_t reserved1[2];
    int32_t Score;
    int32_t States;      // GosCount of the game
    int32_t Destroyed;   // Conquests of the person's state
    int32_t Year;        // year the game ended
    int32_t ScienceSum;  // sum of the six science levels
    int32_t Saves;       // SaveCount; 0 unless expert
    uint8_t Difficulty;  // DiffLevel
    uint8_t reserved2[3];
    int32_t AccessCode;  // 0 = none
};

constexpr int HallPlaces = 7;     // entries 1..7, best first
constexpr int LastGameEntry = 8;  // the last recorded game
using THallTable = Arr1<THallEntry, LastGameEntry>;

static_assert(sizeof(THallEntry) == 48);
KORVANT_FIELD(THallEntry, Name, 0);
KORVANT_FIELD(THallEntry, Score, 16);
KORVANT_FIELD(THallEntry, States, 20);
KORVANT_FIELD(THallEntry, Destroyed, 24);
KORVANT_FIELD(THallEntry, Year, 28);
KORVANT_FIELD(THallEntry, ScienceSum, 32);
KORVANT_FIELD(THallEntry, Saves, 36);
KORVANT_FIELD(THallEntry, Difficulty, 40);
KORVANT_FIELD(THallEntry, AccessCode, 44);
static_assert(sizeof(THallTable) == 384);
static_assert(std::is_trivially_copyable_v<THallTable>);

// The records file, by its bare name: it lives in the current folder.
inline const std::filesystem::path HallOfFameFile = "tav.rec";

// (S + (150 - Year) * (Destroyed + States)^2) / (Saves + 1), rounded half to even.
int32_t HallScore(int32_t states, int32_t destroyed, int32_t year, int32_t scienceSum, int32_t saves);

// The expert's access code: the digits of X = C + S + E + Y + (A + 3E - S - 3C - N) * Y in 32-bit
// arithmetic, digit i (from the left) adding 66 i + digit^2. None for a negative X.
std::optional<int32_t> AccessCode(int32_t score, int32_t scienceSum, int32_t destroyed, int32_t states, int32_t saves,
                                  int32_t year);

// The table installed on a first run and by a reset; names are texts FameRuler1..FameRuler8.
THallTable BuiltInHallTable(const Game& game);

// Reads the table; a missing file is first created with the built-in table (if that cannot be
// written, the built-in table is returned all the same). A damaged or short file is reported
// through the game's message box and gives nothing.
std::optional<THallTable> ReadHallOfFame(Game& game, const std::filesystem::path& file = HallOfFameFile);

// Replaces the file as a whole (a temporary file renamed over it), so a failed write leaves the
// old table intact. Reports a failure with HallOfFameWriteFailed and returns false.
bool WriteHallOfFame(Game& game, const THallTable& table, const std::filesystem::path& file = HallOfFameFile);

// Scores the game that just ended for its one person, makes it the last game, lets it rise into
// the table if it beats place 7, and writes the file. Sets Year to 1 if it was 0 and, below
// expert, SaveCount to 0, as the score reads them. Does nothing when no person plays a state or
// the file cannot be read. Returns the table as the file now holds it.
std::optional<THallTable> RecordLastGame(Game& game, const std::filesystem::path& file = HallOfFameFile);

// Installs and writes the built-in table, then reads it back.
std::optional<THallTable> ResetHallOfFame(Game& game, const std::filesystem::path& file = HallOfFameFile);

// The ruler's name as the window shows it. The built-in rulers were written in the language of
// the day the file was made; they are recognised by their figures (no game played can end with
// them) and named in the language of the texts now. Anybody else keeps the name he played under.
std::string HallName(const Game& game, const THallEntry& entry);

// A row as the window shows it: name, score, states, destroyed, year, science sum, saves and
// access code, each number "-" when 0, the saves "-" also below expert.
std::array<std::string, 8> HallRow(const THallEntry& entry);

}  // namespace korvant
