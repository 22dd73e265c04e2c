#include "records/chart_axes.h"

#include <algorithm>

namespace korvant {

namespace {
// At this depth percent the floor is square.
constexpr double SquareDepth = 30.0;
}  // namespace

ValueTicks WholeValueTicks(int64_t highest, int maxTicks) {
    const int64_t steps = std::max(maxTicks - 1, 1);
    if (highest <= 0) return {1, 2};
    for (int64_t power = 1;; power *= 10) {
        for (int64_t m : {1, 2, 5}) {
            const int64_t step = m * power;
            const int64_t n = (highest + step - 1) / step;
            if (n <= steps) return {n * step, int(n) + 1};
        }
    }
}

int YearLabelStep(int years) { return years <= 15 ? 1 : years <= 40 ? 5 : years <= 80 ? 10 : 20; }

bool YearLabelled(int y, int years) { return y == 1 || y % YearLabelStep(years) == 0; }

float BarThickness(int depthPercent, int states, int years) {
    // Rows lie along the depth and columns along the width, each bar as deep as the unit:
    // the floor's depth over its width is states / (years × thickness).
    const double percent = std::clamp(depthPercent, 1, 100);
    const double thickness = SquareDepth * std::max(states, 1) / (std::max(years, 1) * percent);
    return float(std::clamp(thickness, 0.05, 20.0));
}

}  // namespace korvant
