#pragma once
// The small blocks (kinds 1, 2, 4, 5, 13, 14, 15): the kind, one byte of value and three bytes
// that carry nothing. The value is the ready switch (kind 1), the turn length in minutes
// (kind 2), and 1 for the others.
#include <cstdint>
#include <span>
#include <vector>

#include "net/block_kind.h"

namespace korvant {

inline constexpr std::size_t SmallBlockSize = 8;
inline constexpr std::size_t SmallBlockValue = 4;

std::vector<uint8_t> EncodeSmall(BlockKind kind, uint8_t value = 1);
// The value byte; throws BlockError unless the block is 8 bytes long.
uint8_t DecodeSmall(std::span<const uint8_t> block);

}  // namespace korvant
