#pragma once
// Persons' names are compared without regard to letter case, Cyrillic included.
#include <string_view>

namespace korvant {

// True when two UTF-8 names are equal but for the case of their letters.
bool SameName(std::string_view a, std::string_view b);

}  // namespace korvant
