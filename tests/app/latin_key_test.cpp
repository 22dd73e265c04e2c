#include <gtest/gtest.h>

#include "app/latin_key.h"

namespace korvant {
namespace {

TEST(LatinKey, EachRussianLetterGivesTheLatinSignOnItsKey) {
    // The menu letters of the command screen's buttons: Конец &хода, &Доверить, В&ыход, &Помощь.
    EXPECT_EQ(LatinKeyOf(U'х'), '[');
    EXPECT_EQ(LatinKeyOf(U'Д'), 'l');
    EXPECT_EQ(LatinKeyOf(U'ы'), 's');
    EXPECT_EQ(LatinKeyOf(U'П'), 'g');
    // The rows' ends and the letters outside the alphabet's run.
    EXPECT_EQ(LatinKeyOf(U'й'), 'q');
    EXPECT_EQ(LatinKeyOf(U'я'), 'z');
    EXPECT_EQ(LatinKeyOf(U'Ё'), '`');
    EXPECT_EQ(LatinKeyOf(U'ю'), '.');
    EXPECT_EQ(LatinKeyOf(U'x'), std::nullopt);  // a Latin letter needs nothing
    EXPECT_EQ(LatinKeyOf(U'1'), std::nullopt);
}

}  // namespace
}  // namespace korvant
