#include "net/small_block.h"

#include "net/block_bytes.h"

namespace korvant {

std::vector<uint8_t> EncodeSmall(BlockKind kind, uint8_t value) {
    std::vector<uint8_t> block = NewBlock(kind, SmallBlockSize);
    block[SmallBlockValue] = value;
    return block;
}

uint8_t DecodeSmall(std::span<const uint8_t> block) {
    RequireSize(block, SmallBlockSize, "small block");
    return block[SmallBlockValue];
}

}  // namespace korvant
