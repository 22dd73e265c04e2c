#include "net/player_names.h"

#include <algorithm>
#include <string>

#include "core/cp1251.h"

namespace korvant {

namespace {

// Windows-1251 letters folded to lower case: Latin, Cyrillic and Ё.
unsigned char foldCase(unsigned char c) {
    if (c >= 'A' && c <= 'Z') return c + 32;
    if (c >= 0xC0 && c <= 0xDF) return c + 32;
    if (c == 0xA8) return 0xB8;
    return c;
}

}  // namespace

bool SameName(std::string_view a, std::string_view b) {
    const std::string x = Utf8ToCp1251(a), y = Utf8ToCp1251(b);
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
        return foldCase(static_cast<unsigned char>(p)) == foldCase(static_cast<unsigned char>(q));
    });
}

}  // namespace korvant
