#pragma once
// LZHUF: LZSS over a 4096-byte ring with a 60-byte look-ahead (matches of 3
// to 60 bytes), literals and match lengths coded by an adaptive Huffman tree,
// match positions by a fixed code. The encoder's choices are fixed, so equal
// input gives an equal stream.
#include <cstddef>
#include <cstdint>
#include <span>
#include <vector>

namespace korvant {

// The bit stream of `in`; the stream does not hold the length, the caller keeps it.
std::vector<uint8_t> LzhufEncode(std::span<const uint8_t> in);

// The `outLength` bytes coded by `in`. A stream that ends too early, codes a
// match past `outLength` or reaching before the ring's initial spaces raises
// CompressError. Bytes after the last coded symbol are ignored.
std::vector<uint8_t> LzhufDecode(std::span<const uint8_t> in, std::size_t outLength);

}  // namespace korvant
