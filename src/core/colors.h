#pragma once
// Colours are 0x00BBGGRR values.
#include <cstdint>

namespace korvant::color {

constexpr int32_t Black = 0x000000;
constexpr int32_t Maroon = 0x000080;
constexpr int32_t Green = 0x008000;
constexpr int32_t Olive = 0x008080;
constexpr int32_t Navy = 0x800000;
constexpr int32_t Purple = 0x800080;
constexpr int32_t Teal = 0x808000;
constexpr int32_t Gray = 0x808080;
constexpr int32_t Silver = 0xC0C0C0;
constexpr int32_t Red = 0x0000FF;
constexpr int32_t Lime = 0x00FF00;
constexpr int32_t Yellow = 0x00FFFF;
constexpr int32_t Blue = 0xFF0000;
constexpr int32_t Fuchsia = 0xFF00FF;
constexpr int32_t Aqua = 0xFFFF00;
constexpr int32_t White = 0xFFFFFF;

}  // namespace korvant::color
