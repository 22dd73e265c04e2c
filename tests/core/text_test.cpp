#include <gtest/gtest.h>

#include "core/cp1251.h"
#include "core/plural.h"
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
    EXPECT_EQ(Cp1251ToUtf8("\x98"), "?");                         // the one unassigned byte
}

TEST(FormatText, FillsMarksInOrderAndNeverReadsMissingValues) {
    EXPECT_EQ(FormatText("Генерал %s взял %d клеток", {"Ивар", Dec(12)}), "Генерал Ивар взял 12 клеток");
    EXPECT_EQ(FormatText("%s and %s", {"one"}), "one and %s");
    EXPECT_EQ(FormatText("100%% of %d", {"7", "surplus"}), "100% of 7");
    EXPECT_EQ(FormatText("%n%x%", {"a"}), "%n%x%");  // other marks are plain text
}

TEST(PluralForm, RussianOneFewManyAndEnglishOneOther) {
    const std::pair<long long, std::size_t> russian[] = {{1, 0},   {21, 0},  {101, 0}, {2, 1},  {4, 1},  {22, 1},
                                                         {104, 1}, {0, 2},   {5, 2},   {11, 2}, {12, 2}, {14, 2},
                                                         {111, 2}, {112, 2}, {25, 2},  {-1, 0}, {-23, 1}};
    for (auto [n, form] : russian) EXPECT_EQ(PluralForm(n, 3), form) << n;
    EXPECT_EQ(PluralForm(1, 2), 0u);
    EXPECT_EQ(PluralForm(-1, 2), 0u);
    for (long long n : {0, 2, 11, 21}) EXPECT_EQ(PluralForm(n, 2), 1u) << n;
    EXPECT_EQ(PluralForm(7, 1), 0u);
    EXPECT_EQ(PluralForm(7, 4), 0u);
}

TEST(FormatText, WordFormsAgreeWithTheLastNumberBeforeThem) {
    const char* ru = "уволить %d {солдата/солдат/солдат}?";
    EXPECT_EQ(FormatText(ru, {"1"}), "уволить 1 солдата?");
    EXPECT_EQ(FormatText(ru, {"3"}), "уволить 3 солдат?");
    const char* en = "%s: %d {soldier has/soldiers have} deserted, %d {ton/tons} of grain";
    EXPECT_EQ(FormatText(en, {"Ardenia", "1", "7"}), "Ardenia: 1 soldier has deserted, 7 tons of grain");
    // Without a number before it, or without its closing brace, a group is plain text.
    EXPECT_EQ(FormatText("{a/b} %s", {"x"}), "{a/b} x");
    EXPECT_EQ(FormatText("%d {a/b", {"2"}), "2 {a/b");
    EXPECT_EQ(FormatText("%d {a/b}", {}), "%d {a/b}");
    EXPECT_EQ(FormatText("%d {a/b}", {"many"}), "many {a/b}");
}

}  // namespace
}  // namespace korvant
