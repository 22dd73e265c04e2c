#include "net/chat_block.h"

#include <algorithm>

#include "core/cp1251.h"
#include "net/block_bytes.h"

namespace korvant {

namespace at = chat_block;

std::vector<uint8_t> EncodeChat(std::string_view utf8, int32_t colour) {
    std::string text = Utf8ToCp1251(utf8);
    text.resize(std::min(text.size(), at::MaxText));
    std::vector<uint8_t> block = NewBlock(BlockKind::Chat, text.size() + at::Overhead);
    PutAt(block, at::Colour, colour);
    PutAt(block, at::Length, static_cast<uint16_t>(text.size()));
    std::memcpy(block.data() + at::Text, text.data(), text.size());
    return block;
}

ChatLine DecodeChat(std::span<const uint8_t> block) {
    if (block.size() < at::Overhead) throw BlockError("chat block too short");
    const std::size_t length = GetAt<uint16_t>(block, at::Length);
    RequireSize(block, length + at::Overhead, "chat block");
    const std::string_view text{reinterpret_cast<const char*>(block.data() + at::Text), length};
    return {Cp1251ToUtf8(text), GetAt<int32_t>(block, at::Colour)};
}

}  // namespace korvant
