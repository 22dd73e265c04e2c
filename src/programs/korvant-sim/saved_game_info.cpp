// korvant-sim inspect: shows what a saved game holds and whether its check value holds.
#include <cstdio>
#include <memory>
#include <string>

#include "command.h"
#include "core/cp1251.h"
#include "core/game.h"
#include "read_game_file.h"

namespace korvant::sim {
namespace {

// The description as lines: its "\n\r" breaks become newlines, the padding goes.
std::string DescriptionText(const std::string& cp1251) {
    std::string text;
    for (char c : Cp1251ToUtf8(cp1251))
        if (c != '\r') text += c;
    return text;
}

void PrintGame(const Game& game) {
    std::printf("year: %d\n", game.Year);
    std::printf("states: %d\n", game.GosCount);
    std::printf("persons: %d\n", game.PeopleCount);
    std::printf("difficulty: %d\n", game.DiffLevel);
    std::printf("save count: %d\n", game.SaveCount);
    std::printf("map size: %d\n", game.MapSize);
    if (game.ResumePlayer == 0)
        std::printf("saved in: a network game\n");
    else
        std::printf("saved in: a local game, turn of person %d\n", game.ResumePlayer);
    std::printf("messages: %d\n", game.MesList.Count());
    std::printf("living states: %d\n", game.LivingCount);
    for (int s = 1; s <= game.GosCount; ++s) {
        const TGos& g = game.mGos[s];
        if (g.Alive == 0) continue;
        std::printf("  %2d %-13s %s\n", s, g.Name.utf8().c_str(),
                    g.Human != 0 ? ("person " + g.PlayerName.utf8()).c_str() : "computer");
    }
}

int Inspect(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: korvant-sim inspect FILE\n");
        return 2;
    }
    auto game = std::make_unique<Game>();
    const std::optional<SavedGameFile> read = ReadGameFile(argv[1], *game);
    if (!read) return 1;
    const SavedGameFile& file = *read;
    std::printf("%s\n", DescriptionText(file.description).c_str());
    PrintGame(*game);
    if (file.checkHolds()) {
        std::printf("check value: holds (%lld)\n", static_cast<long long>(file.check));
        return 0;
    }
    std::printf("check value: does not hold (stored %lld, computed %lld)\n", static_cast<long long>(file.storedCheck),
                static_cast<long long>(file.check));
    return 1;
}

const SimCommand command("inspect", "inspect FILE", Inspect);

}  // namespace
}  // namespace korvant::sim
