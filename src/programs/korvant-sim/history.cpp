// korvant-sim history: a saved game's yearly statistics table, as the charts draw it, in CSV.
#include <cstdio>
#include <iostream>
#include <memory>
#include <string_view>

#include "command.h"
#include "read_game_file.h"
#include "records/history_csv.h"

namespace korvant::sim {
namespace {

int History(int argc, char** argv) {
    const char* file = nullptr;
    int files = 0;
    bool csv = false;
    for (int i = 1; i < argc; ++i) {
        if (std::string_view(argv[i]) == "--csv") {
            csv = true;
        } else {
            file = argv[i];
            ++files;
        }
    }
    // CSV is the one output form; the option names it so that others can follow.
    if (!csv || files != 1) {
        std::fprintf(stderr, "usage: korvant-sim history FILE --csv\n");
        return 2;
    }
    auto game = std::make_unique<Game>();
    if (!ReadGameFile(file, *game)) return 1;
    WriteHistoryCsv(std::cout, *game);
    std::cout.flush();
    return std::cout ? 0 : 1;
}

const SimCommand command("history", "history FILE --csv", History);

}  // namespace
}  // namespace korvant::sim
