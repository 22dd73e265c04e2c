#include "screen/battle_report_search.h"

#include <algorithm>

namespace korvant {

ReportSelection NextBattleReport(std::u16string_view text, std::u16string_view marker, ReportSelection current) {
    if (text.empty() || marker.empty()) return current;
    const int size = int(text.size());
    auto select = [&](std::size_t at) {
        return ReportSelection{int(at), std::min(ReportSelectionLength, size - int(at))};
    };
    const std::size_t from = std::size_t(std::clamp(current.start + 1, 0, size));
    if (std::size_t at = text.find(marker, from); at != std::u16string_view::npos) return select(at);
    // The cursor is the selection's far end, so a report selected up to the end also wraps round.
    if (current.start + current.length >= size) {
        if (std::size_t at = text.find(marker); at != std::u16string_view::npos) return select(at);
    }
    return {size, 0};
}

}  // namespace korvant
