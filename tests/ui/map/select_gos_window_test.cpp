#include <gtest/gtest.h>

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <set>
#include <vector>

#include "core/take_territory.h"
#include "support/local_game.h"
#include "support/ui/gui_app.h"
#include "support/ui/modal_answerer.h"
#include "ui/map/select_gos_window.h"

namespace korvant {
namespace {

class TerritoryWindowTest : public ::testing::Test, public gui_test::WindowsFixture {
protected:
    void SetUp() override {
        test::NewLocalMap(app->TheGame(), {.states = 4, .size = 50, .seed = 5});
        window().Reset();
    }
    TSelectGos& window() { return app->SelectGos(); }
    // Pixel of the centre of cell (column, row) on the 500-pixel picture.
    static int Pixel(int cell) { return (cell - 1) * 10 + 5; }
    // Opens the window for person 1 and runs `steps` inside it, then gives up if it is still open.
    ModalResult Run(std::function<void()> steps) {
        test::ModalAnswerer answers;
        answers.Expect<TSelectGos>([&](TSelectGos& w) {
            steps();
            if (w.isVisible()) w.GiveUpButton()->click();
        });
        return window().Choose(1);
    }
};

TEST_F(TerritoryWindowTest, TakenStateIsRefusedUntilTheWindowReopensThenAFreeOneIsTaken) {
    Game& g = app->TheGame();
    const int taken = g.Map[1][1];
    g.mGos[taken].Alive = 1;
    const ModalResult result = Run([&] {
        window().MapClicked(Pixel(1), Pixel(1));
        EXPECT_TRUE(window().ConfirmButton()->isVisible());
        window().ConfirmClicked();
        EXPECT_FALSE(window().ConfirmButton()->isVisible());
        EXPECT_TRUE(window().Prompt()->text().contains(QString::fromUtf8("уже выбрана")));
        window().MapClicked(Pixel(1), Pixel(1));
        EXPECT_FALSE(window().ConfirmButton()->isVisible());
        window().MapClicked(600, 10);  // beside the field: nothing changes
        EXPECT_EQ(window().Choice().Selected(), taken);
    });
    EXPECT_EQ(result, ModalResult::Quit);

    // Reopened: the refusal is forgotten; a free state is taken with the name cut to 13.
    int free = 0;
    for (int c = 1; c <= 50 && !free; ++c)
        if (g.mGos[g.Map[c][25]].Alive == 0) free = c;
    ASSERT_NE(free, 0);
    const int s = g.Map[free][25];
    const ModalResult taken2 = Run([&] {
        window().NameField()->setText(QString::fromUtf8("Святослав Великий"));
        window().MapClicked(Pixel(free), Pixel(25));
        window().ConfirmClicked();
    });
    EXPECT_EQ(taken2, ModalResult::EndTurn);
    EXPECT_EQ(g.mGos[s].Alive, 1);
    EXPECT_EQ(g.mGos[s].Human, 1);
    EXPECT_EQ(g.mGos[s].PlayerName.utf8(), "Святослав Вел");
}

TEST_F(TerritoryWindowTest, StatesOfEarlierPersonsAreMarkedButNotThoseOfComputers) {
    Game& g = app->TheGame();
    // A cell inside each of three states (its eight neighbours are of the same state).
    std::vector<std::pair<int, int>> cells;
    std::set<int> states;
    for (int x = 2; x < 50; ++x)
        for (int y = 2; y < 50 && cells.size() < 3; ++y) {
            const int st = g.Map[x][y];
            bool inside = !states.count(st);
            for (int dx = -1; dx <= 1; ++dx)
                for (int dy = -1; dy <= 1; ++dy) inside = inside && g.Map[x + dx][y + dy] == st;
            if (inside) {
                cells.push_back({x, y});
                states.insert(st);
            }
        }
    ASSERT_EQ(cells.size(), 3u);
    auto pixel = [&](std::pair<int, int> c) {
        return window().MapPicture()->pixmap().toImage().pixelColor(Pixel(c.first), Pixel(c.second));
    };
    auto state = [&](std::pair<int, int> c) { return int(g.Map[c.first][c.second]); };
    const auto person = cells[0], computer = cells[1], free = cells[2];
    const QColor before[] = {pixel(person), pixel(computer), pixel(free)};
    TakeTerritory(g, state(person), 1, "Ольга");
    g.mGos[state(computer)].Alive = 1;
    window().ShowTakenStates();
    EXPECT_NE(pixel(person), before[0]);
    EXPECT_EQ(pixel(computer), before[1]);
    EXPECT_EQ(pixel(free), before[2]);
}

TEST_F(TerritoryWindowTest, ClosingTheWindowGivesUp) {
    EXPECT_EQ(Run([&] { window().reject(); }), ModalResult::Quit);
}

}  // namespace
}  // namespace korvant
