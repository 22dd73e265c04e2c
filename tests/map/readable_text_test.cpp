#include <gtest/gtest.h>

#include "map/map_painter.h"
#include "map/readable_text.h"

namespace korvant {
namespace {

bool Same(Rgb a, Rgb b) { return a.r == b.r && a.g == b.g && a.b == b.b; }

TEST(ReadableText, EveryStateColourCarriesItsNameReadably) {
    EXPECT_TRUE(Same(TextColourOn({0, 0, 128}), {255, 255, 255}));
    EXPECT_TRUE(Same(TextColourOn({255, 255, 0}), {0, 0, 0}));
    // The grey that was lost on its dark plate.
    const Rgb grey{128, 128, 128};
    EXPECT_GE(ContrastRatio(grey, TextColourOn(grey)), 4.5);
    for (int s = 1; s <= 20; ++s) {
        const Rgb c = StateColour(s);
        EXPECT_GE(ContrastRatio(c, TextColourOn(c)), 4.5) << s;
    }
    EXPECT_NEAR(ContrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 1e-9);
}

}  // namespace
}  // namespace korvant
