#include "net/player_names.h"

#include <algorithm>
#include <string>

#include "core/cp1251.h"

namespace korvant {

bool SameName(std::string_view a, std::string_view b) {
    const std::string x = Utf8ToCp1251(a), y = Utf8ToCp1251(b);
    return std::equal(x.begin(), x.end(), y.begin(), y.end(), [](char p, char q) {
        return Cp1251FoldCase(static_cast<unsigned char>(p)) == Cp1251FoldCase(static_cast<unsigned char>(q));
    });
}

}  // namespace korvant
