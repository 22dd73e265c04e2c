#pragma once
// Where the charts' ticks and labels fall. Every criterion counts whole things (levels, people,
// square kilometres), so the value axis ticks only whole numbers; the years are labelled at a
// step that keeps the labels apart however long the game ran.
#include <cstdint>

namespace korvant {

// A value axis from 0 to `top` with `count` ticks (count - 1 equal steps of a whole number).
struct ValueTicks {
    int64_t top;
    int count;
};

// The axis for values up to `highest`: a step of 1, 2 or 5 times a power of ten, the fewest
// ticks that reach `highest` with at most `maxTicks` of them. An empty chart spans 0..1.
ValueTicks WholeValueTicks(int64_t highest, int maxTicks);

// The step between labelled years over `years` recorded years: every year in a short game,
// every 5th, 10th or 20th in longer ones.
int YearLabelStep(int years);

// Whether year y (1-based) carries a label at that step: the first year and every step-th.
bool YearLabelled(int y, int years);

// The 3D bars' width against their depth, so that the floor of `states` rows by `years` columns
// is as deep as depthPercent / 30 of its width whatever their numbers: 13 gives a floor about
// 2.3 times as wide as deep, 30 a square one.
float BarThickness(int depthPercent, int states, int years);

}  // namespace korvant
