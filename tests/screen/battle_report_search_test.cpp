// Stepping through the battle reports of the information tab.
#include <gtest/gtest.h>

#include "screen/battle_report_search.h"

namespace korvant {
namespace {

const std::u16string Marker = u"*** Battle";

ReportSelection AtEnd(const std::u16string& text) { return {int(text.size()), 0}; }

TEST(BattleReports, NothingToFindMovesTheCursorToTheEnd) {
    const std::u16string text = u"Quiet year\nNo fighting";
    EXPECT_EQ(NextBattleReport(text, Marker, {0, 0}), AtEnd(text));
    EXPECT_EQ(NextBattleReport(text, Marker, AtEnd(text)), AtEnd(text));
}

TEST(BattleReports, AnEmptyBoxOrMarkerChangesNothing) {
    EXPECT_EQ(NextBattleReport(u"", Marker, {0, 0}), (ReportSelection{0, 0}));
    EXPECT_EQ(NextBattleReport(u"*** Battle", u"", {3, 2}), (ReportSelection{3, 2}));
}

TEST(BattleReports, TwoShortReportsAreSelectedInTurnAndWrapRound) {
    const std::u16string text = u"*** Battle one\n*** Battle two";
    ReportSelection sel = AtEnd(text);  // where filling the box leaves the cursor
    sel = NextBattleReport(text, Marker, sel);
    EXPECT_EQ(sel, (ReportSelection{0, int(text.size())}));  // 65 characters, cut at the end
    sel = NextBattleReport(text, Marker, sel);
    EXPECT_EQ(sel, (ReportSelection{15, 14}));
    sel = NextBattleReport(text, Marker, sel);
    EXPECT_EQ(sel, (ReportSelection{0, int(text.size())}));
}

TEST(BattleReports, OneReportStaysSelected) {
    const std::u16string text = u"Before\n*** Battle";
    ReportSelection sel = NextBattleReport(text, Marker, AtEnd(text));
    EXPECT_EQ(sel, (ReportSelection{7, 10}));
    EXPECT_EQ(NextBattleReport(text, Marker, sel), sel);
}

TEST(BattleReports, AfterALongLastReportTheCursorRestsAtTheEndBeforeWrapping) {
    const std::u16string text = u"*** Battle a\n*** Battle b\n" + std::u16string(100, u'x');
    ReportSelection sel = NextBattleReport(text, Marker, AtEnd(text));
    sel = NextBattleReport(text, Marker, sel);
    EXPECT_EQ(sel, (ReportSelection{13, ReportSelectionLength}));
    sel = NextBattleReport(text, Marker, sel);
    EXPECT_EQ(sel, AtEnd(text));
    EXPECT_EQ(NextBattleReport(text, Marker, sel).start, 0);
}

TEST(BattleReports, SearchIsCaseSensitive) {
    const std::u16string text = u"*** battle\n*** Battle";
    EXPECT_EQ(NextBattleReport(text, Marker, AtEnd(text)).start, 11);
}

}  // namespace
}  // namespace korvant
