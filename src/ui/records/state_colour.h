#pragma once
// A state's chart colour as Qt takes it.
#include <QColor>

#include "records/chart_series.h"

namespace korvant {

inline QColor StateColour(int s) {
    const int32_t c = ChartStateColour(s);
    return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF);
}

}  // namespace korvant
