#pragma once
// The keys of the Russian typewriter layout and the Latin letters or signs printed on the same
// keys. A menu letter underlined in a Russian text is pressed with Alt and that letter; a person
// whose keyboard is set to the Latin layout presses the same key and gets the Latin sign instead.
#include <optional>

namespace korvant {

// The character of the Latin (QWERTY) layout on the key that carries the Russian letter `c`
// (either case), in lower case: 'х' gives '[', 'д' gives 'l'. None for any other character.
std::optional<char> LatinKeyOf(char32_t c);

}  // namespace korvant
