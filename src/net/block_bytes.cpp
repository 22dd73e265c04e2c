#include "net/block_bytes.h"

#include <algorithm>

namespace korvant {

void RequireSize(std::span<const uint8_t> block, std::size_t size, const char* what) {
    if (block.size() != size)
        throw BlockError(std::string(what) + ": " + std::to_string(block.size()) + " bytes instead of " +
                         std::to_string(size));
}

std::vector<uint8_t> NewBlock(BlockKind kind, std::size_t size) {
    std::vector<uint8_t> block(size, 0);
    PutAt(block, 0, static_cast<int32_t>(kind));
    return block;
}

void PutString255(std::vector<uint8_t>& block, std::size_t at, std::string_view cp1251) {
    const std::size_t len = std::min<std::size_t>(cp1251.size(), String255Size - 1);
    block[at] = static_cast<uint8_t>(len);
    std::memcpy(block.data() + at + 1, cp1251.data(), len);
}

std::string_view GetString255(std::span<const uint8_t> block, std::size_t at) {
    return {reinterpret_cast<const char*>(block.data() + at + 1), block[at]};
}

}  // namespace korvant
