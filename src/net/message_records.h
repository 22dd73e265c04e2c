#pragma once
// Messages as the blocks carry them: 264-byte records, written with their unused bytes zeroed
// so that the same list always makes the same block.
#include <cstdint>
#include <span>
#include <vector>

#include "core/records.h"

namespace korvant {

// The most messages a block can count.
inline constexpr std::size_t MaxBlockMessages = 0xFFFF;

// Writes `messages` back to back from `at`.
void PutMessages(std::vector<uint8_t>& block, std::size_t at, std::span<const TMesRec> messages);
// `count` records from `at` (the caller has checked the length), each rebuilt clean.
std::vector<TMesRec> GetMessages(std::span<const uint8_t> block, std::size_t at, std::size_t count);

}  // namespace korvant
