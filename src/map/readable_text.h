#pragma once
// Text laid on a state's colour: black or white, whichever stands out more against it, so a
// name stays readable on every state's colour, mid-greys included.
#include "map/picture.h"

namespace korvant {

// The contrast ratio of two colours, 1 (none) to 21 (black on white), from their luminance.
double ContrastRatio(Rgb a, Rgb b);

// Black or white, whichever contrasts more with `plate` (never below 4.5 : 1).
Rgb TextColourOn(Rgb plate);

}  // namespace korvant
