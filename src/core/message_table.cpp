#include "core/message_table.h"

#include <algorithm>
#include <iterator>

namespace korvant {

namespace {

constexpr bool Ascending() {
    for (std::size_t i = 1; i < std::size(MessageTable); ++i)
        if (MessageTable[i - 1].id >= MessageTable[i].id) return false;
    return true;
}
static_assert(Ascending(), "core/message_list.inc must list its ids in ascending order, each once");

// Runs that the rules and windows read by number.
static_assert(MsgAt(Msg::GeneralStem1, 10) == Msg::GeneralStem11);
static_assert(MsgAt(Msg::StateName1, 19) == Msg::StateName20);
static_assert(MsgAt(Msg::RulerTitle1, 9) == Msg::RulerTitle10);
static_assert(MsgAt(Msg::FameRuler1, 7) == Msg::FameRuler8);
static_assert(MsgAt(Msg::DensityRaised, 5) == Msg::ResearchRaised);
static_assert(MsgAt(Msg::FameRulerColumn, 7) == Msg::FameCodeColumn);
static_assert(MsgAt(Msg::ChartDensity, 11) == Msg::ChartPopulation);

}  // namespace

std::string_view BuiltInText(Msg id) {
    auto it = std::lower_bound(std::begin(MessageTable), std::end(MessageTable), id,
                               [](const MessageEntry& e, Msg m) { return e.id < m; });
    return it != std::end(MessageTable) && it->id == id ? it->text : std::string_view{};
}

}  // namespace korvant
