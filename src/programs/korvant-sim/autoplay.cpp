// korvant-sim autoplay: a whole game with every state played by the computer.
// Persons hand each of their turns to the computer; with --observe there are
// none and the computers play on to a victory or the draw.
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "command.h"
#include "core/check_state.h"
#include "core/game.h"
#include "core/show_state_error.h"
#include "game/autoplay.h"
#include "game/program_data.h"
#include "map/map_generation.h"
#include "save/saved_game.h"

namespace korvant::sim {
namespace {

// Message boxes become lines on standard error.
class ConsoleUi final : public HeadlessUi {
public:
    void MessageBox(std::string_view text) override { std::fprintf(stderr, "%s\n", OneLine(text).c_str()); }
    bool AskYesNo(std::string_view text) override {
        std::fprintf(stderr, "%s\n", OneLine(text).c_str());
        return answerYes;
    }

private:
    static std::string OneLine(std::string_view text) {
        std::string line;
        for (std::size_t i = 0; i < text.size(); ++i) {
            char c = text[i];
            if (c == '\r' || c == '\n') {
                if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') ++i;
                line += ' ';
            } else {
                line += c;
            }
        }
        return line;
    }
};

struct Options {
    AutoplaySettings game;
    bool quiet = false;
    std::optional<std::filesystem::path> save;
};

bool ParseOptions(int argc, char** argv, Options& o) {
    long long states = o.game.states, size = o.game.size, persons = o.game.persons;
    long long difficulty = o.game.difficulty, seed = o.game.seed;
    for (int i = 1; i < argc; ++i) {
        std::string_view a = argv[i];
        auto value = [&](long long lo, long long hi, long long& out) {
            return NumberOption("autoplay", argc, argv, i, lo, hi, out);
        };
        bool ok = true;
        if (a == "--states") {
            ok = value(2, MaxStates, states);
        } else if (a == "--size") {
            ok = value(MinGeneratedSize, MaxGeneratedSize, size);
        } else if (a == "--persons") {
            ok = value(1, MaxStates, persons);
        } else if (a == "--difficulty") {
            ok = value(DiffTraining, DiffExpert, difficulty);
        } else if (a == "--seed") {
            ok = value(0, UINT32_MAX, seed);
        } else if (a == "--quiet") {
            o.quiet = true;
        } else if (a == "--observe") {
            o.game.observe = true;
        } else if (a == "--save" && i + 1 < argc) {
            o.save = argv[++i];
        } else {
            std::fprintf(stderr, "autoplay: unknown option %s\n", argv[i]);
            ok = false;
        }
        if (!ok) return false;
    }
    if (persons > states) {
        std::fprintf(stderr, "autoplay: %lld persons need at least as many states\n", persons);
        return false;
    }
    o.game.states = int(states);
    o.game.size = int(size);
    o.game.persons = int(persons);
    o.game.difficulty = int(difficulty);
    o.game.seed = uint32_t(seed);
    return true;
}

int Autoplay(int argc, char** argv) {
    Options options;
    if (!ParseOptions(argc, argv, options)) return 2;

    ConsoleUi ui;
    Game game;
    game.Ui = &ui;
    // The game's data: beside the program, or where the game was installed.
    const ProgramData data = LoadProgramData(game);
    if (!data.rulesLoaded) return 1;

    try {
        AutoplayResult r = korvant::Autoplay(game, options.game, [&](const AutoplayYear& y) {
            if (!options.quiet)
                std::printf("year %d: %d states, largest %d cells, %d battles\n", y.year, y.living, y.largest,
                            y.battles);
        });
        if (r.winner != 0) {
            std::printf("result: state %d %s won in year %d, %d years played\n", r.winner,
                        game.mGos[r.winner].Name.utf8().c_str(), r.yearsPlayed, r.yearsPlayed);
        } else if (game.Year >= MaxYears) {
            std::printf("result: draw, %d years played\n", r.yearsPlayed);
        } else {
            std::printf("result: every person's state destroyed, %d years played\n", r.yearsPlayed);
        }
        std::fflush(stdout);
        if (options.save && !TrySaveGame(game, *options.save)) return 1;
    } catch (const StateError& e) {
        ShowStateError(ui, e);
        return 1;
    }
    return 0;
}

const SimCommand command("autoplay",
                         "autoplay --states N --size M [--persons P] [--difficulty D] [--seed S] [--quiet] "
                         "[--observe] [--save FILE]",
                         Autoplay);

}  // namespace
}  // namespace korvant::sim
