#pragma once
// Small helpers the battle files share: the reports for the parties and the bounded
// lowering of the byte-sized moods.
#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "core/game.h"
#include "core/text_format.h"
#include "sim/messages.h"

namespace korvant {

inline std::string GosName(const Game& game, int s) { return game.mGos[s].Name.utf8(); }

// Battle report `id` with its "%s"/"%d" marks filled by `values`.
inline void Report(Game& game, int32_t colour, Msg id, std::initializer_list<std::string_view> values = {}) {
    AddBattleMessage(game, colour, FormatText(game.Msg(id), values));
}

// A text that a value follows: the value fills the text's mark if it has one, otherwise it is
// appended, after a blank unless the text already ends in one.
inline std::string Followed(std::string text, std::string_view value) {
    if (text.find("%s") != std::string::npos || text.find("%d") != std::string::npos) return FormatText(text, {value});
    if (!text.empty() && text.back() != ' ') text += ' ';
    return text.append(value);
}

// Lowers a mood byte by `amount`, stopping at 0.
inline void LowerBy(uint8_t& value, int amount) { value = value > amount ? uint8_t(value - amount) : uint8_t(0); }

// Raises a count byte by `amount`, stopping at 255.
inline void RaiseBy(uint8_t& value, int amount) { value = uint8_t(value + amount > 255 ? 255 : value + amount); }

}  // namespace korvant
