#include "core/state_guard.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "core/check_state.h"
#include "core/state_fields.h"
#include "game/turn_cycle.h"
#include "screen/economy_orders.h"
#include "support/local_game.h"
#include "support/small_game.h"
#include "support/temp_folder.h"

namespace korvant {
namespace {

namespace fs = std::filesystem;
using ::testing::ElementsAre;
using ::testing::HasSubstr;

// What a memory editor could change, one field of each part of the saved state.
const std::vector<std::pair<const char*, std::function<void(Game&)>>> Edits = {
    {"money", [](Game& g) { g.mGos[2].Money ^= 1; }},
    {"a general's age", [](Game& g) { g.mGeneral[GeneralSlots].Age ^= 1; }},
    {"this year's history", [](Game& g) { g.History[MaxStates][g.Year].Peasants ^= 1; }},
    {"the map's frame", [](Game& g) { g.Map[101][101] ^= 1; }},
    {"the year", [](Game& g) { g.Year ^= 1; }},
    {"the save count", [](Game& g) { g.SaveCount ^= 1; }},
    {"the growth cost", [](Game& g) { g.CostGrowth = -g.CostGrowth - 1; }},
};

TEST(StateGuard, AnyFieldChangedBehindTheRulesBackEndsTheGameWithASystemError) {
    auto game = test::MakeGame({"1122", "1122", "3344", "3344"});
    test::TestTexts texts({{Msg::StateTampered, "system error"}});
    game->Texts = &texts;
    game->Guard.Start(*game);
    for (const auto& [what, edit] : Edits) {
        edit(*game);
        try {
            game->Guard.Verify(*game);
            ADD_FAILURE() << what << " changed unseen";
        } catch (const StateError& e) {
            EXPECT_THAT(e.messages(), ElementsAre("system error")) << what;
        }
        EXPECT_THROW(CheckState(*game, "label"), StateError) << "every check point checks the seal: " << what;
        edit(*game);
        EXPECT_NO_THROW(game->Guard.Verify(*game)) << what << " changed back";
    }
    game->Guard.Stop();
    Edits[0].second(*game);
    EXPECT_NO_THROW(game->Guard.Verify(*game)) << "no game played, nothing guarded";
}

TEST(StateGuard, ChangesMadeInsideAChangeAreSealedNestedOnesOnceAtTheEnd) {
    auto game = test::MakeGame({"12", "12"});
    game->Guard.Start(*game);
    {
        StateChange change(*game);
        game->mGos[1].Money += 5;
        {
            StateChange inner(*game);
            game->mGos[1].Grain += 5;
        }
        game->mGos[2].Money += 5;
        EXPECT_NO_THROW(game->Guard.Verify(*game)) << "the rules are still at work";
    }
    EXPECT_NO_THROW(game->Guard.Verify(*game));
    Sow(*game, 1, 1);  // a person's order is a change of its own
    EXPECT_NO_THROW(game->Guard.Verify(*game));

    const uint64_t before = game->Guard.Hash(*game);
    game->Guard.Start(*game);
    EXPECT_NE(game->Guard.Hash(*game), before) << "every game is sealed under a key of its own";
}

// A change that names its fields checks and seals only those; what was changed behind the rules'
// back elsewhere keeps failing its own seal, and nothing outside the named fields is sealed.
TEST(StateGuard, ANarrowChangeSealsItsFieldsAndLaundersNoOther) {
    auto game = test::MakeGame({"12", "12"});
    game->Guard.Start(*game);
    const FieldMask states = state::MaskOf(std::tuple{state::States});
    {
        StateChange change(*game, states);
        game->mGos[1].Captured = 39;
    }
    EXPECT_NO_THROW(game->Guard.Verify(*game));

    game->Map[1][1] ^= 1;  // behind the rules' back
    EXPECT_NO_THROW({ StateChange change(*game, states); }) << "the map is not this change's to check";
    EXPECT_THROW(game->Guard.Verify(*game), StateError) << "nor to seal";
    EXPECT_THROW({ StateChange change(*game); }, StateError);
    EXPECT_THROW({ StateChange change(*game, state::MaskOf(std::tuple{state::Map})); }, StateError);
    game->Map[1][1] ^= 1;

    {
        StateChange change(*game, states);
        game->mGeneral[1].Age ^= 1;  // a change beyond what it named
    }
    EXPECT_THROW(game->Guard.Verify(*game), StateError);
    game->mGeneral[1].Age ^= 1;
    EXPECT_NO_THROW(game->Guard.Verify(*game));

    game->mGos[2].Money ^= 1;  // behind the rules' back
    EXPECT_THROW({ StateChange change(*game, states); }, StateError) << "a narrow change checks what it names";
    game->mGos[2].Money ^= 1;

    // The history is sealed up to the year: a change of the year reseals it too.
    {
        StateChange change(*game, state::MaskOf(std::tuple{state::Year}));
        game->Year += 1;
    }
    EXPECT_NO_THROW(game->Guard.Verify(*game));
}

TEST(StateGuard, AWiderChangeInsideANarrowOneChecksAndSealsWhatItAdds) {
    auto game = test::MakeGame({"12", "12"});
    game->Guard.Start(*game);
    game->Map[1][1] ^= 1;  // behind the rules' back
    {
        StateChange outer(*game, state::MaskOf(std::tuple{state::States}));
        EXPECT_THROW({ StateChange inner(*game); }, StateError);
    }
    game->Map[1][1] ^= 1;
    {
        StateChange outer(*game, state::MaskOf(std::tuple{state::States}));
        StateChange inner(*game);
        game->Map[1][1] ^= 1;
    }
    EXPECT_NO_THROW(game->Guard.Verify(*game)) << "the outermost change seals what the inner one named";
}

// A headless command screen that runs a script on the person's turn.
class ScriptedUi : public HeadlessUi {
public:
    ModalResult CommandScreen() override {
        if (onCommand) onCommand();
        return ModalResult::ToComputer;
    }
    std::function<void()> onCommand;
};

class TamperedGame : public ::testing::Test {
protected:
    void SetUp() override {
        test::LoadShippedRules(game);
        game.Ui = &ui;
        ASSERT_NO_FATAL_FAILURE(test::NewLocalGame(game, {.states = 4, .size = 50, .persons = 1, .seed = 5}));
        person = test::StateOfPerson(game, 1);
        options.records = records;
    }

    Game game;
    ScriptedUi ui;
    TurnCycleOptions options;
    test::TempFolder folder;
    fs::path records = folder / "korvant.rec";
    int person = 0;
};

TEST_F(TamperedGame, APersonsOrdersPassAMemoryEditorsChangeEndsTheGameUnrecorded) {
    int turns = 0;
    ui.onCommand = [&] {
        ++turns;
        Sow(game, person, 1);
        if (turns == 3) game.mGos[person].Money += 100000;  // written straight into memory
    };
    try {
        RunGame(game, options);
        ADD_FAILURE() << "the tampered game went on to its end";
    } catch (const StateError& e) {
        EXPECT_THAT(e.messages(), ElementsAre(HasSubstr("Системная ошибка")));
    }
    EXPECT_EQ(turns, 3) << "two years of orders pass the guard";
    EXPECT_FALSE(fs::exists(records)) << "a tampered game never reaches the hall of fame";
    EXPECT_FALSE(game.Guard.Active());
}

}  // namespace
}  // namespace korvant
