#pragma once
// The three chat panes a network game shows, each keeping only its newest lines.
#include <array>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>

namespace korvant {

enum class ChatPane { Lobby, Wait, Command };

struct ChatPaneLine {
    std::string text;  // UTF-8: the name, "> " and the text
    int32_t colour;
    bool operator==(const ChatPaneLine&) const = default;
};

class ChatPanes {
public:
    static constexpr std::array<std::size_t, 3> Capacity = {22, 22, 29};

    void Append(std::string_view line, int32_t colour);
    const std::deque<ChatPaneLine>& Lines(ChatPane pane) const { return panes_[std::size_t(pane)]; }
    void Clear();

private:
    std::array<std::deque<ChatPaneLine>, 3> panes_;
};

}  // namespace korvant
