#pragma once
// The chat block (kind 0): a colour, the text's length as uint16 and the text in Windows-1251,
// then two bytes that carry nothing. The sender's name is not in it: the receiver takes it
// from the session.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvant {

namespace chat_block {
inline constexpr std::size_t Colour = 4;
inline constexpr std::size_t Length = 8;
inline constexpr std::size_t Text = 10;
inline constexpr std::size_t Overhead = 12;  // a text of L characters makes a block of L + 12 bytes
inline constexpr std::size_t MaxText = 0xFFFF;
}  // namespace chat_block

struct ChatLine {
    std::string text;  // UTF-8
    int32_t colour;    // 0x00BBGGRR
};

// The block of a UTF-8 text, cut to the 65535 characters the length field can count.
std::vector<uint8_t> EncodeChat(std::string_view utf8, int32_t colour);
// Throws BlockError unless the block is as long as its length field says.
ChatLine DecodeChat(std::span<const uint8_t> block);

}  // namespace korvant
