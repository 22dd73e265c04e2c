#include "net/chat_panes.h"

namespace korvant {

void ChatPanes::Append(std::string_view line, int32_t colour) {
    for (std::size_t p = 0; p < panes_.size(); ++p) {
        panes_[p].push_back({std::string(line), colour});
        while (panes_[p].size() > Capacity[p]) panes_[p].pop_front();
    }
}

void ChatPanes::Clear() {
    for (auto& pane : panes_) pane.clear();
}

}  // namespace korvant
