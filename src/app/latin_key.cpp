#include "app/latin_key.h"

#include <string_view>

namespace korvant {

namespace {
// The Russian letters from а to я, then ё, and the Latin sign on each one's key.
constexpr std::u32string_view Russian = U"абвгдежзийклмнопрстуфхцчшщъыьэюяё";
constexpr std::string_view Latin = "f,dult;pbqrkvyjghcnea[wxio]sm'.z`";
static_assert(Russian.size() == Latin.size());
}  // namespace

std::optional<char> LatinKeyOf(char32_t c) {
    // Upper-case Cyrillic lies 32 below lower case (Ё 80 below ё).
    if (c >= U'А' && c <= U'Я') c += 32;
    if (c == U'Ё') c = U'ё';
    const std::size_t at = Russian.find(c);
    if (at == std::u32string_view::npos) return std::nullopt;
    return Latin[at];
}

}  // namespace korvant
