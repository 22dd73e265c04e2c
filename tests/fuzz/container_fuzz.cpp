// The container decoder on arbitrary input, from memory and from a stream, and
// the packed block of network play.
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <vector>

#include "save/compress_error.h"
#include "save/container.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace korvant;
    Tlzrw1 coder;
    std::vector<uint8_t> fromMemory;
    bool memoryOk = true;
    try {
        fromMemory = coder.Decompress({data, size});
    } catch (const CompressError&) {
        memoryOk = false;
    }

    std::istringstream in(std::string(reinterpret_cast<const char*>(data), size));
    std::ostringstream out;
    bool streamOk = true;
    try {
        coder.Decompress(in, out);
    } catch (const CompressError&) {
        streamOk = false;
    }
    if (memoryOk != streamOk) std::abort();
    if (memoryOk && out.str() != std::string(fromMemory.begin(), fromMemory.end())) std::abort();

    try {
        UnpackBlock({data, size});
    } catch (const CompressError&) {
    }
    return 0;
}
