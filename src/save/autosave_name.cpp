#include "save/autosave_name.h"

#include <algorithm>
#include <vector>

#include "core/cp1251.h"
#include "core/living_person.h"

namespace korvant {
namespace {

bool lessIgnoringCase(std::string_view a, std::string_view b) {
    return std::lexicographical_compare(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return Cp1251FoldCase(static_cast<unsigned char>(x)) < Cp1251FoldCase(static_cast<unsigned char>(y));
    });
}

// A person's name is typed freely; in the file name it must not reach another
// folder or hold what a file system refuses.
std::string fileNamePart(std::string_view cp1251) {
    std::string part(cp1251);
    for (char& c : part) {
        const auto u = static_cast<unsigned char>(c);
        if (u < 0x20 || u == 0x7F || std::string_view("/\\:*?\"<>|").find(c) != std::string_view::npos) c = '_';
    }
    return part;
}

}  // namespace

bool AutosaveWanted(const Game& game) { return game.DiffLevel != DiffExpert && game.GameMode != ModeNetClient; }

std::string AutosaveFileName(const Game& game) {
    std::string name = "autosave";
    if (game.GameMode != ModeLocal) {
        std::vector<std::string_view> people;
        for (int s = 1; s <= game.GosCount && s <= MaxStates; ++s) {
            const TGos& g = game.mGos[s];
            if (LivingPerson(g)) people.push_back(g.PlayerName.raw());
        }
        std::stable_sort(people.begin(), people.end(), lessIgnoringCase);
        for (std::string_view person : people) name += "_" + fileNamePart(person);
    }
    return Cp1251ToUtf8(name) + ".gen";
}

}  // namespace korvant
