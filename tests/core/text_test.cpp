#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/text_format.h"

namespace korvant {
namespace {

TEST(Cp1251, RoundTripsCyrillicAndMarksTheRest) {
    std::string ru = "Ёлки, Щука и №5 — «тест»";
    std::string cp = Utf8ToCp1251(ru);
    EXPECT_EQ(cp.size(), Utf8Length(ru));
    EXPECT_EQ(static_cast<unsigned char>(cp[0]), 0xA8);  // Ё
    EXPECT_EQ(Cp1251ToUtf8(cp), ru);
    EXPECT_EQ(Utf8ToCp1251("日本"), "??");
    EXPECT_EQ(Utf8ToCp1251(std::string("a\xff\xc3", 3)), "a??");  // broken UTF-8 bytes
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");                          // the one unassigned byte
}

TEST(FormatText, FillsMarksInOrderAndNeverReadsMissingValues) {
    EXPECT_EQ(FormatText("Генерал %s взял %d клеток", {"Ивар", Dec(12)}), "Генерал Ивар взял 12 клеток");
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FormatText("100%% of %d", {"7", "surplus"}), "100% of 7");
    EXPECT_EQ(FormatText("%n%x%", {"a"}), "%n%x%");  // other marks are plain text
}

}  // namespace
}  // namespace korvant
