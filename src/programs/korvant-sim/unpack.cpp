// korvant-sim unpack: decodes a compressed container of either mode, chosen by its magic.
#include <cstdio>
#include <fstream>
#include <sstream>

#include "command.h"
#include "save/compress_error.h"
#include "save/container.h"
#include "save/replace_file.h"

namespace korvant::sim {
namespace {

int Unpack(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvant-sim unpack IN OUT\n");
        return 2;
    }
    std::ifstream in(argv[1], std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "unpack: cannot open %s\n", argv[1]);
        return 1;
    }
    try {
        Tlzrw1 coder;
        std::ostringstream out;
        coder.Decompress(in, out);
        const std::string data = out.str();
        ReplaceFile(argv[2], {std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size())});
    } catch (const CompressError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    } catch (const FileWriteError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

const SimCommand command("unpack", "unpack IN OUT", Unpack);

}  // namespace
}  // namespace korvant::sim
