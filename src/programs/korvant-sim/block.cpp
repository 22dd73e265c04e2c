// korvant-sim block: the network block the senders would build from a saved game, so that its
// layout can be checked from outside: the map (3), the full state (10), the turn result for a
// state (11) or that state's player turn (12), plain or in its packed envelope.
#include <cstdio>
#include <memory>
#include <string_view>
#include <vector>

#include "command.h"
#include "core/replace_file.h"
#include "net/full_state_block.h"
#include "net/map_block.h"
#include "net/packed_envelope.h"
#include "net/player_turn_block.h"
#include "net/turn_result_block.h"
#include "read_game_file.h"

namespace korvant::sim {
namespace {

constexpr const char* Usage = "block FILE.gen --kind 3|10|11|12 [--for R] [--server-id ID] [--packed] OUT";

int Block(int argc, char** argv) {
    const char* files[2] = {};
    int fileCount = 0;
    long long kind = -1, state = 0, serverId = 1;
    bool packed = false;
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--kind") {
            if (!NumberOption("block", argc, argv, i, 3, 12, kind)) return 2;
        } else if (arg == "--for") {
            if (!NumberOption("block", argc, argv, i, 1, MaxStates, state)) return 2;
        } else if (arg == "--server-id") {
            if (!NumberOption("block", argc, argv, i, 1, 0xFFFFFFFFLL, serverId)) return 2;
        } else if (arg == "--packed") {
            packed = true;
        } else if (fileCount < 2 && !arg.starts_with("--")) {
            files[fileCount++] = argv[i];
        } else {
            fileCount = 3;
        }
    }
    const bool perState = kind == 11 || kind == 12;
    if (fileCount != 2 || (kind != 3 && kind != 10 && !perState) || perState != (state != 0)) {
        std::fprintf(stderr, "usage: korvant-sim %s\n", Usage);
        return 2;
    }
    auto game = std::make_unique<Game>();
    if (!ReadGameFile(files[0], *game)) return 1;
    if (perState && state > game->GosCount) {
        std::fprintf(stderr, "block: the game has %d states, not %lld\n", game->GosCount, state);
        return 1;
    }
    if (kind == 11 && game->Year < 2) {
        std::fprintf(stderr, "block: a turn result needs a finished year; this game is in year %d\n", game->Year);
        return 1;
    }

    game->TurnMinutes = 0;
    game->CurGos = static_cast<uint8_t>(state);
    std::vector<uint8_t> block;
    switch (kind) {
        case 3: block = EncodeMap(*game, BlockKind::Map); break;
        case 10: block = EncodeFullState(*game, PlayerId(serverId)); break;
        case 11: block = EncodeTurnResult(*game, int(state)); break;
        default: block = EncodePlayerTurn(*game); break;
    }
    if (packed) block = PackEnvelope(block);
    try {
        ReplaceFile(files[1], {block});
    } catch (const FileWriteError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

const SimCommand command("block", Usage, Block);

}  // namespace
}  // namespace korvant::sim
