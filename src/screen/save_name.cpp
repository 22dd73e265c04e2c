#include "screen/save_name.h"

#include <string_view>

namespace korvant {

std::string ProposedSaveName(const Game& game) {
    std::string name = game.mGos[game.CurGos].PlayerName.utf8() + "_";
    // Typed names must not lead into another folder.
    for (char& c : name) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return name + std::to_string(game.Year);
}

}  // namespace korvant
