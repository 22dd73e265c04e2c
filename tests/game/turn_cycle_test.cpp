#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "core/check_state.h"
#include "core/game.h"
#include "game/turn_cycle.h"
#include "records/hall_of_fame.h"
#include "support/local_game.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

// A headless interface whose command screen and year label run a script.
class ScriptedUi : public HeadlessUi {
public:
    ModalResult CommandScreen() override {
        HeadlessUi::CommandScreen();
        ++screens;
        return onCommand ? onCommand(screens) : ModalResult::ToComputer;
    }
    void SetYearLabel(std::string_view text) override {
        labels.emplace_back(text);
        if (onYearLabel) onYearLabel();
    }
    double ClockDays() override {
        clock += tick;
        return clock;
    }

    std::function<ModalResult(int screen)> onCommand;
    std::function<void()> onYearLabel;
    std::vector<std::string> labels;
    int screens = 0;
    double clock = 0, tick = 0;
};

class TurnCycle : public testing::Test {
protected:
    void SetUp() override {
        test::LoadShippedRules(game);
        game.Ui = &ui;
        options.records = records;
    }

    // A fresh local game of `states` on a 50 x 50 field with `persons` persons.
    void NewGame(int states, int persons, uint32_t seed = 11) {
        test::NewLocalGame(game, {.states = states, .size = 50, .persons = persons, .seed = seed});
        ui.windows.clear();
    }
    int StateOf(int person) const { return test::StateOfPerson(game, person); }

    Game game;
    ScriptedUi ui;
    TurnCycleOptions options;
    test::TempFolder folder;
    fs::path records = folder / "korvant.rec";
};

TEST_F(TurnCycle, AResumedGameStartsWithThePersonWhoSaved) {
    NewGame(4, 2);
    game.ResumePlayer = 2;
    struct Turn {
        int year, person, state;
        bool operator==(const Turn&) const = default;
    };
    std::vector<Turn> turns;
    ui.onCommand = [&](int screen) {
        turns.push_back({game.Year, game.CurPlayer, game.CurGos});
        return screen < 3 ? ModalResult::EndTurn : ModalResult::Quit;
    };
    EXPECT_EQ(RunGame(game, options), GameOutcome::Quit);
    EXPECT_EQ(turns, (std::vector<Turn>{{1, 2, StateOf(2)}, {2, 1, StateOf(1)}, {2, 2, StateOf(2)}}));
    EXPECT_EQ(game.ResumePlayer, 1);
    EXPECT_EQ(game.Year, 2);
    EXPECT_FALSE(fs::exists(records));  // two persons: no hall of fame
}

TEST_F(TurnCycle, ADestroyedPersonIsSkippedWithoutAWindow) {
    NewGame(4, 2);
    game.mGos[StateOf(1)].Alive = 0;
    ui.onCommand = [](int) { return ModalResult::Quit; };
    RunGame(game, options);
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"your turn", "command screen"}));
    EXPECT_EQ(game.CurPlayer, 2);
}

TEST_F(TurnCycle, QuittingSkipsTheEndButStillRecordsALonePerson) {
    NewGame(3, 1);
    ui.onCommand = [&](int) {
        game.Chronicle = "war";
        game.MesList.Add(MesForState, 1, 0, "news");
        return ModalResult::Quit;
    };
    EXPECT_EQ(RunGame(game, options), GameOutcome::Quit);
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"your turn", "command screen"}));
    EXPECT_TRUE(ui.labels.empty());  // no year was simulated
    EXPECT_TRUE(game.Chronicle.empty());
    EXPECT_EQ(game.MesList.Count(), 0);
    ASSERT_TRUE(fs::exists(records));
    std::optional<THallTable> table = ReadHallOfFame(game, records);
    ASSERT_TRUE(table);
    EXPECT_EQ((*table)[8].Year, 1);
    EXPECT_EQ((*table)[8].States, 3);
    EXPECT_EQ((*table)[8].Name.utf8(), game.mGos[StateOf(1)].PlayerName.utf8());
}

TEST_F(TurnCycle, EndingATurnSpreadsEveryBorderOverThreeSlotsAndSendsTheFreeHome) {
    NewGame(2, 1);
    const int s = StateOf(1), k = 3 - s;
    TGos& gos = game.mGos[s];
    ASSERT_EQ(gos.Border[k].Touches, 1);
    gos.Border[k].Troops[1] = 1;
    gos.Border[k].Troops[2] = 2;
    gos.Border[k].Troops[3] = 4;
    gos.Border[s].Troops[2] = 3;
    gos.FreeSoldiers = 5;
    gos.Soldiers = 15;
    ui.tick = 0.125;
    ui.onCommand = [&](int screen) {
        if (screen == 1) {
            // The turn opens with every border gathered in slot 1.
            EXPECT_EQ(gos.Border[k].Troops[1], 7);
            EXPECT_EQ(gos.Border[k].Troops[2] + gos.Border[k].Troops[3], 0);
            EXPECT_EQ(gos.Border[s].Troops[1], 3);
            return ModalResult::EndTurn;
        }
        return ModalResult::Quit;
    };
    ui.onYearLabel = [&] {
        EXPECT_EQ(gos.Border[k].Troops[1], 3);
        EXPECT_EQ(gos.Border[k].Troops[2], 2);
        EXPECT_EQ(gos.Border[k].Troops[3], 2);
        EXPECT_EQ(gos.Border[s].Troops[1] + gos.Border[s].Troops[2] + gos.Border[s].Troops[3], 8);
        EXPECT_EQ(gos.Border[s].Troops[1], 3);
        EXPECT_EQ(gos.FreeSoldiers, 0);
        EXPECT_EQ(gos.Delegated, 0);
        EXPECT_DOUBLE_EQ(gos.TimeSpent, 0.125);
    };
    RunGame(game, options);
    EXPECT_EQ(ui.labels, std::vector<std::string>{"Год: 1"});
    // Whoever plays, the border with the last state is spread as well.
    TBorder& last = game.mGos[1].Border[game.GosCount];
    last.Troops[1] = 7;
    last.Troops[2] = last.Troops[3] = 0;
    game.mGos[1].FreeSoldiers = 0;
    SettleTroops(game, 1);
    EXPECT_EQ(last.Troops[1], 3);
    EXPECT_EQ(last.Troops[2], 2);
    EXPECT_EQ(last.Troops[3], 2);
}

TEST_F(TurnCycle, AHandedOverTurnIsTheComputersAndTheLonePersonMaySkipTheYourTurnWindow) {
    NewGame(3, 1);
    ui.skipYourTurn = true;
    // Handed over in the first year, his own again in the second.
    ui.onCommand = [](int screen) {
        return screen == 1 ? ModalResult::ToComputer : screen == 2 ? ModalResult::EndTurn : ModalResult::Quit;
    };
    ui.onYearLabel = [&] { EXPECT_EQ(game.mGos[StateOf(1)].Delegated, ui.labels.size() == 1 ? 1 : 0); };
    RunGame(game, options);
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"command screen", "command screen", "command screen"}));
    EXPECT_EQ(ui.labels.size(), 2u);

    // With two persons the switch does not apply.
    ui.windows.clear();
    NewGame(3, 2);
    ui.onCommand = [](int) { return ModalResult::Quit; };
    RunGame(game, options);
    EXPECT_EQ(ui.windows.front(), "your turn");
}

TEST_F(TurnCycle, AComputerVictoryShowsTheVictoryAndThenThePersonsDefeat) {
    NewGame(3, 1);
    const int person = StateOf(1), winner = person % 3 + 1;
    for (int x = 1; x <= 50; ++x)
        for (int y = 1; y <= 50; ++y) game.Map[x][y] = uint8_t(winner);
    // One cell of another state, in the last row or column too, is no victory yet.
    for (auto [x, y] : {std::pair{50, 50}, {1, 50}, {50, 1}}) {
        game.Map[x][y] = uint8_t(person);
        EXPECT_EQ(VictoriousState(game), 0) << x << "," << y;
        game.Map[x][y] = uint8_t(winner);
    }
    EXPECT_EQ(VictoriousState(game), winner);
    game.mGos[person].Alive = 0;
    ui.log.clear();
    ASSERT_TRUE(CheckGameEnd(game));
    ASSERT_EQ(ui.log.size(), 3u);
    EXPECT_NE(ui.log[0].find(game.mGos[winner].Name.utf8()), std::string::npos);
    EXPECT_EQ(ui.log[0].rfind("Игра окончена.\rГосударство ", 0), 0u);
    EXPECT_EQ(ui.log[1].rfind("Все люди погибли", 0), 0u);
    EXPECT_EQ(ui.windows, std::vector<std::string>{"charts"});
    EXPECT_FALSE(game.HumanWon);
}

TEST_F(TurnCycle, APersonsVictoryHandsHimTheVictoryPage) {
    NewGame(3, 1);
    const int person = StateOf(1);
    for (int x = 1; x <= 50; ++x)
        for (int y = 1; y <= 50; ++y) game.Map[x][y] = uint8_t(person);
    game.GameMode = ModeNetServer;
    game.CurPlayerName = "someone else";
    game.Year = 120;  // won in the last year: a victory, no draw
    ui.log.clear();
    ASSERT_TRUE(CheckGameEnd(game));
    EXPECT_TRUE(game.HumanWon);
    EXPECT_EQ(game.BattleDefender, person);
    EXPECT_EQ(game.CurPlayerName, game.mGos[person].PlayerName.utf8());
    EXPECT_EQ(ui.windows, (std::vector<std::string>{"your turn", "victory", "charts"}));
    EXPECT_EQ(ui.log.size(), 2u);  // the victory and the closing message
    ASSERT_EQ(ui.chat.size(), 1u);
    EXPECT_NE(ui.chat[0].find(game.mGos[person].PlayerName.utf8()), std::string::npos);
    // A client's computer says so in its chat as well; a local game has no chat.
    for (GameModeKind mode : {ModeNetClient, ModeLocal}) {
        game.GameMode = mode;
        ui.chat.clear();
        ASSERT_TRUE(CheckGameEnd(game));
        EXPECT_EQ(ui.chat.size(), mode == ModeLocal ? 0u : 1u);
    }
}

TEST_F(TurnCycle, YearOneHundredNineteenIsTheLast) {
    NewGame(6, 1);
    EXPECT_FALSE(CheckGameEnd(game));
    game.Year = 119;
    EXPECT_FALSE(CheckGameEnd(game));
    std::vector<int> years;
    options.yearDone = [&](Game&, int year) { years.push_back(year); };
    game.HumanWon = true;  // left from a game won before: this one is a draw
    EXPECT_EQ(RunGame(game, options), GameOutcome::Over);
    EXPECT_FALSE(game.HumanWon);
    EXPECT_EQ(years, std::vector<int>{119});
    EXPECT_EQ(game.Year, 120);
    ASSERT_GE(ui.log.size(), 2u);
    EXPECT_EQ(ui.log[ui.log.size() - 2], "Игра затянулась.\rНичейный результат.\rСпасибо за тормозную игру!");
    EXPECT_EQ(ui.windows.back(), "charts");
    EXPECT_TRUE(fs::exists(records));
}

TEST_F(TurnCycle, WithoutPersonsTheGameEndsAfterOneYearUnlessObserved) {
    NewGame(5, 0);
    int years = 0;
    options.yearDone = [&](Game&, int) { ++years; };
    options.observe = true;
    EXPECT_FALSE(CheckGameEnd(game, true));
    EXPECT_TRUE(CheckGameEnd(game, false));
    ui.log.clear();
    RunGame(game, {.observe = false, .records = {}, .yearDone = options.yearDone});
    EXPECT_EQ(years, 1);
    EXPECT_EQ(ui.log.front(), "Где люди ?!!!");
    EXPECT_EQ(ui.log[1].rfind("Все люди погибли", 0), 0u);
}

}  // namespace
}  // namespace korvant
