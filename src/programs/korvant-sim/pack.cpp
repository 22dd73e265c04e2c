// korvant-sim pack: writes the compressed container of a file, in the fast
// (LZRW1-KH) or the good (LZHUF) mode.
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string_view>

#include "command.h"
#include "save/compress_error.h"
#include "save/container.h"
#include "save/replace_file.h"

namespace korvant::sim {
namespace {

int Pack(int argc, char** argv) {
    if (argc != 4 || (std::string_view(argv[1]) != "--fast" && std::string_view(argv[1]) != "--good")) {
        std::fprintf(stderr, "usage: korvant-sim pack --fast|--good IN OUT\n");
        return 2;
    }
    std::ifstream in(argv[2], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "pack: cannot open %s\n", argv[2]);
        return 1;
    }
    try {
        Tlzrw1 coder;
        coder.CompressMode = std::string_view(argv[1]) == "--fast" ? TCompressMode::Fast : TCompressMode::Good;
        std::ostringstream out;
        coder.Compress(in, out);
        const std::string container = out.str();
        ReplaceFile(argv[3], {std::span(reinterpret_cast<const uint8_t*>(container.data()), container.size())});
    } catch (const CompressError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    } catch (const FileWriteError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

const SimCommand command("pack", "pack --fast|--good IN OUT", Pack);

}  // namespace
}  // namespace korvant::sim
