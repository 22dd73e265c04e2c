// The LZRW1-KH block decoder on arbitrary blocks, and the coder's round trip on
// arbitrary chunks.
#include <cstdint>
#include <cstdlib>
#include <vector>

#include "save/compress_error.h"
#include "save/lzrw1kh.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace korvant;
    std::vector<uint8_t> out;
    try {
        const std::size_t produced = Lzrw1khDecompressBlock({data, size}, out);
        if (produced != out.size() || produced > Lzrw1khChunkSize) std::abort();
    } catch (const CompressError&) {
    }

    if (size <= Lzrw1khChunkSize) {
        Lzrw1khCompressor coder;
        std::vector<uint8_t> block;
        coder.CompressChunk({data, size}, block);
        if (block.size() > size + 1) std::abort();
        std::vector<uint8_t> back;
        Lzrw1khDecompressBlock(block, back);
        if (back != std::vector<uint8_t>(data, data + size)) std::abort();
    }
    return 0;
}
