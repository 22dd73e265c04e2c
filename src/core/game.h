#pragma once
// The whole state of one game: every table and scalar, the rule tables from
// the data file and the one random generator. Rules are free functions that
// take a Game&; nothing in the rules layer is a mutable global.
#include <cstdint>
#include <string>
#include <string_view>

#include "core/game_ui.h"
#include "core/headless_ui.h"
#include "core/mes_list.h"
#include "core/random.h"
#include "core/records.h"
#include "core/rule_record.h"
#include "core/state_guard.h"
#include "core/text_source.h"

namespace korvant {

enum Difficulty : uint8_t { DiffTraining = 0, DiffNormal = 1, DiffExpert = 2 };
enum GameModeKind : uint8_t { ModeNetServer = 1, ModeNetClient = 2, ModeLocal = 3 };

// Stems of the generals' names, one per group of twenty slots (slot 201 opens the eleventh).
constexpr int NameStemCount = 11;

struct Game {
    Game();

    // Scalars.
    uint8_t GosCount = 0;
    uint8_t LivingCount = 0;
    uint8_t MapSize = 0;
    uint8_t Year = 0;
    uint8_t PeopleCount = 0;
    uint8_t DiffLevel = DiffTraining;
    uint8_t GameMode = ModeLocal;
    uint8_t CurGos = 0;
    uint8_t CurPlayer = 0;
    std::string CurPlayerName;  // UTF-8
    uint8_t ResumePlayer = 1;
    uint16_t SaveCount = 0;
    float CostGrowth = 0;
    std::string Chronicle;  // UTF-8
    bool HumanWon = false;
    // A network game's turn limit in minutes (0: none).
    uint8_t TurnMinutes = 0;

    // The two parties of the battle being fought.
    uint8_t BattleAttacker = 0;
    uint8_t BattleDefender = 0;

    // Tables (zero-filled at start).
    Arr1<TGos, MaxStates> mGos;
    Arr1<TCommander, GeneralSlots> mGeneral;
    TMapGrid Map;
    THistory History;
    TMesList MesList;

    // Fixed rules from the data file; never saved.
    TRuleRecord Rules;
    int KindCount() const { return Rules.KindCount; }
    int TacticCount() const { return Rules.TacticCount; }

    // The generals' name stems, read from the texts at start-up (LoadNameStems); "?" until then.
    Arr1<std::string, NameStemCount> NameStems;

    RandomGenerator Rng;
    int Random(int n) { return Rng.Random(n); }

    // The seal over the tables while the game is played, against outside tampering.
    StateGuard Guard;

    // Texts and windows; never null (defaults and a headless log unless set).
    const TextSource* Texts;
    GameUi* Ui;

    // Text of message `id` in the chosen language.
    std::string Msg(korvant::Msg id) const { return Texts->Lookup(id); }

private:
    DefaultTexts defaultTexts_;
    HeadlessUi headlessUi_;

public:
    Game(const Game&) = delete;
    Game& operator=(const Game&) = delete;
};

// Peasants + Scientists + Soldiers of state s.
int Population(const Game& game, int s);

}  // namespace korvant
