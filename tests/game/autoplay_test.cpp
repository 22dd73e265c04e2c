#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/game.h"
#include "core/state_fields.h"
#include "game/autoplay.h"
#include "game/turn_cycle.h"
#include "save/saved_game.h"
#include "support/bookkeeping.h"
#include "support/local_game.h"
#include "support/program_run.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;

struct Played {
    AutoplayResult result;
    std::vector<AutoplayYear> years;
};

Played Play(Game& game, const AutoplaySettings& settings) {
    test::LoadShippedRules(game);
    Played p;
    p.result = Autoplay(game, settings, [&](const AutoplayYear& y) { p.years.push_back(y); });
    return p;
}

// Everything a finished game must still hold together.
void ExpectIntact(Game& game, const AutoplaySettings& settings, const Played& p) {
    const int n = game.MapSize;
    EXPECT_FALSE(p.result.quit);
    ASSERT_GE(p.result.yearsPlayed, 1);
    EXPECT_LE(p.result.yearsPlayed, 119);
    EXPECT_EQ(game.Year, p.result.yearsPlayed + 1);
    ASSERT_EQ(int(p.years.size()), p.result.yearsPlayed);

    // The game ended for a reason the rules know.
    int alive = 0;
    for (int s = 1; s <= game.GosCount; ++s) alive += game.mGos[s].Alive;
    if (p.result.winner != 0) {
        EXPECT_EQ(alive, 1);
        EXPECT_EQ(game.mGos[p.result.winner].Territory, n * n);
    } else if (!settings.observe && !AnyPersonAlive(game)) {
        EXPECT_GE(alive, 1);
    } else {
        EXPECT_EQ(game.Year, 120);
    }

    EXPECT_TRUE(test::BooksBalanced(game, "после игры:"));
    int64_t battles = 0;
    for (std::size_t i = 0; i < p.years.size(); ++i) {
        EXPECT_EQ(p.years[i].year, int(i) + 1);
        EXPECT_GE(p.years[i].battles, 0);
        battles += p.years[i].battles;
        if (i > 0) {
            EXPECT_LE(p.years[i].living, p.years[i - 1].living);
        }
    }
    EXPECT_EQ(p.years.back().living, alive);
    // Each year counts its own battles: together, every attack of the game.
    int64_t attacks = 0;
    for (int s = 1; s <= game.GosCount; ++s) attacks += game.mGos[s].TimesAttacked;
    EXPECT_EQ(battles, attacks);
}

TEST(Autoplay, SixtySeededGamesEndInTimeWithTheirBookkeepingIntact) {
    int observed = 0, victories = 0, draws = 0, personsLost = 0;
    for (int i = 0; i < 60; ++i) {
        AutoplaySettings s;
        s.states = 2 + (i * 7) % 19;
        s.size = i < 54 ? 50 + 5 * (i % 6) : 100;  // a few on the largest field
        s.persons = 1 + i % std::min(3, s.states);
        s.difficulty = i % 3;
        s.seed = uint32_t(1000 + 37 * i);
        s.observe = i % 4 == 0;
        SCOPED_TRACE(testing::Message() << "game " << i << ": " << s.states << " states on " << s.size << ", seed "
                                        << s.seed << (s.observe ? ", observed" : ""));
        Game game;
        Played p = Play(game, s);
        ExpectIntact(game, s, p);
        observed += s.observe;
        if (p.result.winner) {
            ++victories;
        } else if (game.Year == 120) {
            ++draws;
        } else {
            ++personsLost;
        }
    }
    // The mix of endings shows that each end condition is reached.
    EXPECT_GT(victories, 0);
    EXPECT_GT(personsLost, 0);
    RecordProperty("victories", victories);
    RecordProperty("draws", draws);
}

TEST(Autoplay, TheSameSeedPlaysTheSameGame) {
    AutoplaySettings s;
    s.states = 12;
    s.size = 60;
    s.seed = 99;
    s.observe = true;
    Game a, b;
    Played pa = Play(a, s), pb = Play(b, s);
    ExpectIntact(a, s, pa);
    ASSERT_EQ(pa.years.size(), pb.years.size());
    for (std::size_t i = 0; i < pa.years.size(); ++i) {
        EXPECT_EQ(pa.years[i].largest, pb.years[i].largest);
        EXPECT_EQ(pa.years[i].battles, pb.years[i].battles);
    }
    EXPECT_EQ(FirstDifference(a, b, state::Saved), "");
    // Nobody needs to hear the years (the screenshots do not): the same game.
    Game c;
    test::LoadShippedRules(c);
    EXPECT_EQ(Autoplay(c, s).yearsPlayed, pa.result.yearsPlayed);
    EXPECT_EQ(FirstDifference(a, c, state::Saved), "");
}

// A simulated game of one person leaves no hall of fame in the folder it runs in.
TEST(Autoplay, ASimulatedGameStaysOutOfTheHallOfFame) {
    const test::TempFolder folder;
    Game game;
    test::LoadShippedRules(game);
    const fs::path before = fs::current_path();
    fs::current_path(folder.path());
    const AutoplayResult r = Autoplay(game, {.states = 4, .size = 50, .persons = 1, .seed = 7});
    fs::current_path(before);
    ASSERT_EQ(game.PeopleCount, 1);
    EXPECT_GE(r.yearsPlayed, 1);
    EXPECT_TRUE(fs::is_empty(folder.path()));
}

test::ProgramRun Sim(const std::string& args) { return test::RunProgram("korvant-sim", args); }

TEST(AutoplayCommand, PrintsAYearPerLineAndTheResultTheSameForTheSameSeed) {
    if (!test::ProgramBuilt("korvant-sim")) GTEST_SKIP() << "korvant-sim is not built";
    test::TempFolder folder;
    const fs::path save = folder / "autoplay.gen";
    test::ProgramRun a = Sim("autoplay --states 6 --size 50 --seed 4 --observe");
    test::ProgramRun b = Sim("autoplay --states 6 --size 50 --seed 4 --observe");
    ASSERT_EQ(a.status, 0);
    EXPECT_EQ(a.output, b.output);
    ASSERT_EQ(a.output.rfind("year 1: 6 states, largest ", 0), 0u) << a.output;
    const std::size_t last = a.output.rfind("result: ");
    ASSERT_NE(last, std::string::npos);
    EXPECT_EQ(a.output.find('\n', last), a.output.size() - 1);

    // A finished game is saved and loads again.
    ASSERT_EQ(Sim("autoplay --states 6 --size 50 --seed 4 --persons 2 --quiet --save " + save.string()).status, 0);
    Game loaded;
    ASSERT_TRUE(LoadGame(loaded, save));
    EXPECT_EQ(loaded.GosCount, 6);
    EXPECT_GT(loaded.Year, 1);

    test::ProgramRun quiet = Sim("autoplay --states 6 --size 50 --seed 4 --observe --quiet");
    EXPECT_EQ(quiet.output, a.output.substr(last));

    EXPECT_EQ(Sim("autoplay --states 21 --size 50").status, 2);
    EXPECT_EQ(Sim("autoplay --states 3 --persons 4").status, 2);
    EXPECT_EQ(Sim("autoplay --size fifty").status, 2);
}

}  // namespace
}  // namespace korvant
