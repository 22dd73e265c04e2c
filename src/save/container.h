#pragma once
// The compressed stream container: a four-byte magic ("WRZL" for the fast
// LZRW1-KH coder, "!HZL" for the LZHUF coder), the uncompressed length as a
// signed 32-bit integer, then the coder's payload. Saved games use the fast
// mode, network blocks the good one inside a packed block.
#include <cstddef>
#include <cstdint>
#include <iosfwd>
#include <span>
#include <vector>

#include "save/lzrw1kh.h"

namespace korvant {

enum class TCompressMode : uint8_t { Good, Fast, Auto };

// The longest input the container takes or gives back. Far above any saved game
// (90516 bytes and 264 per message) or network block, yet a hostile length field
// cannot make the decoder allocate without bound.
inline constexpr std::size_t MaxContainerLength = std::size_t(32) << 20;

inline constexpr std::size_t ContainerHeaderSize = 8;

class Tlzrw1 {
public:
    TCompressMode CompressMode = TCompressMode::Good;
    // Auto chooses Fast when the fast coder saves at least this percentage of the first chunk.
    int Threshold = 40;

    // The container of `input` in the current mode.
    std::vector<uint8_t> Compress(std::span<const uint8_t> input);
    // The same, appended to `out`.
    void Compress(std::span<const uint8_t> input, std::vector<uint8_t>& out);
    // The data of a container in either mode, chosen by its magic; bytes after a fast container are ignored.
    std::vector<uint8_t> Decompress(std::span<const uint8_t> container);

    // Reads `in` from its position to its end and writes the container at the position of `out`.
    // Returns the number of bytes written.
    std::size_t Compress(std::istream& in, std::ostream& out);
    // Reads a container at the position of `in` and writes its data to `out`; returns the
    // number of bytes written. A fast container is read up to its last block, a good one to the end.
    std::size_t Decompress(std::istream& in, std::ostream& out);

    // The mode Auto takes for this input.
    TCompressMode Advise(std::span<const uint8_t> input);

private:
    Lzrw1khCompressor fast_;
};

// A packed block of network play: 1000, the packed block's total length, then a container,
// good unless told otherwise.
inline constexpr int32_t PackedBlockKind = 1000;
std::vector<uint8_t> PackBlock(std::span<const uint8_t> data, TCompressMode mode = TCompressMode::Good);
// The data of a packed block in either mode, chosen by the container's magic; its header is
// skipped, not checked.
std::vector<uint8_t> UnpackBlock(std::span<const uint8_t> packed);

}  // namespace korvant
