#pragma once
// Windows-1251 is the code page of every text stored in the game's records.
// The rest of the program speaks UTF-8; these convert at the boundary.
#include <string>
#include <string_view>

namespace korvant {

// Each character that Windows-1251 cannot hold, and each invalid UTF-8 byte, becomes '?'.
std::string Utf8ToCp1251(std::string_view utf8);
std::string Cp1251ToUtf8(std::string_view cp1251);

// A Windows-1251 letter folded to lower case: Latin, Cyrillic and Ё; persons' names compare so.
constexpr unsigned char Cp1251FoldCase(unsigned char c) {
    if ((c >= 'A' && c <= 'Z') || (c >= 0xC0 && c <= 0xDF)) return c + 32;
    return c == 0xA8 ? 0xB8 : c;
}

// Number of characters (code points) in a UTF-8 text.
std::size_t Utf8Length(std::string_view utf8);

}  // namespace korvant
