#pragma once
// The LZRW1-KH block coder: one chunk of at most 32768 bytes becomes one
// block of at most 32769 bytes, either compressed (literals, copies of 3 to 18
// bytes from up to 4095 bytes back, runs of 16 to 4095 equal bytes) or stored.
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvant {

inline constexpr std::size_t Lzrw1khChunkSize = 32768;
inline constexpr std::size_t Lzrw1khMaxBlockSize = Lzrw1khChunkSize + 1;

inline constexpr uint8_t Lzrw1khCompressedKind = 64;
inline constexpr uint8_t Lzrw1khStoredKind = 128;

// Keeps its hash table between chunks, so a long input allocates it once.
class Lzrw1khCompressor {
public:
    // Appends the block of `chunk` (at most 32768 bytes) to `out`; returns the block's length.
    std::size_t CompressChunk(std::span<const uint8_t> chunk, std::vector<uint8_t>& out);

private:
    std::array<uint16_t, 4096> hash_;
};

// Appends the bytes of one block to `out`; returns how many. A malformed block
// (unknown kind, a copy reaching before the block's output, an item cut off by
// the block's end, more than 32768 bytes) raises CompressError.
std::size_t Lzrw1khDecompressBlock(std::span<const uint8_t> block, std::vector<uint8_t>& out);

}  // namespace korvant
