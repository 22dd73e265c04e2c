#include "core/mes_list.h"

namespace korvant {

void TMesList::Add(uint8_t kind, uint8_t gos, int32_t color, std::string_view text) {
    TMesRec m{};
    m.Kind = kind;
    m.Gos = gos;
    m.Color = color;
    m.Text.set(text);
    entries_.push_back(m);
}

}  // namespace korvant
