#pragma once
// The packed envelope (kind 1000): the large blocks travel compressed, headed by 1000 and the
// envelope's whole length. Unpacking believes neither blindly: the length must be the length
// delivered, and the size the container promises must be one a packed kind can have.
#include <cstdint>
#include <span>
#include <vector>

namespace korvant {

// The largest block any packed kind can be: a full state or a backup with 65535 messages.
std::size_t LargestPackedBlock();

// Packed with the fast coder.
std::vector<uint8_t> PackEnvelope(std::span<const uint8_t> block);
// The block inside, packed with either coder; throws BlockError on a wrong length, an impossible size or damaged data.
std::vector<uint8_t> UnpackEnvelope(std::span<const uint8_t> envelope);

}  // namespace korvant
