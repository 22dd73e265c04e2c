#pragma once
// The chronicle travels as two short strings: its first 199 characters, then up to 255 more.
// What lies beyond the 454th character stays behind.
#include <cstddef>
#include <string>
#include <string_view>

namespace korvant {

inline constexpr std::size_t ChronicleFirstPart = 199;
inline constexpr std::size_t ChronicleSecondPart = 255;

struct ChronicleParts {
    std::string first;   // Windows-1251
    std::string second;  // Windows-1251
};

ChronicleParts SplitChronicle(std::string_view utf8);
// The chronicle again, in UTF-8: the first part followed by the second.
std::string JoinChronicle(std::string_view first, std::string_view second);

}  // namespace korvant
