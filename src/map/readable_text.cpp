#include "map/readable_text.h"

#include <algorithm>
#include <cmath>

namespace korvant {

namespace {
// The luminance of an sRGB colour, 0 for black to 1 for white.
double Luminance(Rgb c) {
    auto channel = [](uint8_t v) {
        const double s = v / 255.0;
        return s <= 0.03928 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}
}  // namespace

double ContrastRatio(Rgb a, Rgb b) {
    const double la = Luminance(a), lb = Luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

Rgb TextColourOn(Rgb plate) {
    constexpr Rgb black{0, 0, 0}, white{255, 255, 255};
    return ContrastRatio(plate, black) >= ContrastRatio(plate, white) ? black : white;
}

}  // namespace korvant
