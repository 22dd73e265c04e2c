#pragma once
// Stepping through the battle reports of the information tab: each press of
// "<..>" selects the next report's marker, and after the last one the search
// starts again from the top.
#include <string_view>

namespace korvant {

// Characters selected at a report's marker, enough to show its first line.
constexpr int ReportSelectionLength = 65;

struct ReportSelection {
    int start = 0;   // cursor position
    int length = 0;  // characters selected from it; 0 selects nothing
    bool operator==(const ReportSelection&) const = default;
};

// Where the next press leaves the box holding `text`, whose current selection is `current`
// (a bare cursor has length 0). The search for `marker` is case-sensitive and starts one character
// after the current selection's start; when nothing follows and the cursor stands at the very end,
// it starts again from the top; otherwise the cursor goes to the end. An empty text or marker
// leaves the selection as it is.
ReportSelection NextBattleReport(std::u16string_view text, std::u16string_view marker, ReportSelection current);

}  // namespace korvant
