// LZHUF decoder on hostile input: the first three bytes claim the decoded
// length, the rest is the stream. It must decode exactly that length or raise
// CompressError. The whole input also goes through the encoder and must come
// back unchanged.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <span>
#include <vector>

#include "save/compress_error.h"
#include "save/lzhuf.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace korvant;
    std::span<const uint8_t> input(data, size);
    if (size >= 3) {
        std::size_t claimed = data[0] | std::size_t(data[1]) << 8 | std::size_t(data[2]) << 16;
        try {
            if (LzhufDecode(input.subspan(3), claimed).size() != claimed) std::abort();
        } catch (const CompressError&) {
        }
    }
    std::vector<uint8_t> coded = LzhufEncode(input);
    std::vector<uint8_t> back = LzhufDecode(coded, size);
    if (back.size() != size || !std::equal(back.begin(), back.end(), data)) std::abort();
    return 0;
}
