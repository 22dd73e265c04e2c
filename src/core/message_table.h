#pragma once
// Every message the program shows, by name: Msg::NotEnoughMoney is line 3113 of a language section.
// The names, ids and built-in texts live in core/message_list.inc, one line each.
#include <string_view>

namespace korvant {

enum class Msg : int {
#define KORVANT_MESSAGE(name, id, text) name = id,
#include "core/message_list.inc"
#undef KORVANT_MESSAGE
};

struct MessageEntry {
    Msg id;
    std::string_view name;
    std::string_view text;  // built-in Russian text
};

inline constexpr MessageEntry MessageTable[] = {
#define KORVANT_MESSAGE(name, id, text) {Msg::name, #name, text},
#include "core/message_list.inc"
#undef KORVANT_MESSAGE
};

// Built-in text of `id`; empty for an id outside the table.
std::string_view BuiltInText(Msg id);

// The k-th message after `first` in a run read by number (state p is named by MsgAt(StateName1, p - 1)).
constexpr Msg MsgAt(Msg first, int k) { return static_cast<Msg>(static_cast<int>(first) + k); }

}  // namespace korvant
