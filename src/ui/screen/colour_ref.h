#pragma once
// The game's 0x00BBGGRR colours as Qt colours.
#include <QColor>

#include <cstdint>

namespace korvant {

inline QColor FromColourRef(int32_t c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

}  // namespace korvant
