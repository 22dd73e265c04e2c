// korvant-sim pack: writes the compressed container of a file, in the fast
// (LZRW1-KH) or the good (LZHUF) mode.
// korvant-sim unpack: decodes a container of either mode, chosen by its magic.
#include <cstdio>
#include <fstream>
#include <functional>
#include <sstream>
#include <string_view>

#include "command.h"
#include "core/replace_file.h"
#include "save/compress_error.h"
#include "save/container.h"

namespace korvant::sim {
namespace {

// Reads IN, runs the coder over it and replaces OUT with the result; the container's own
// messages on failure.
int Convert(const char* command, const char* inPath, const char* outPath,
            const std::function<void(Tlzrw1&, std::istream&, std::ostream&)>& run) {
    std::ifstream in(inPath, std::ios::binary);
    if (!in) {
        std::fprintf(stderr, "%s: cannot open %s\n", command, inPath);
        return 1;
    }
    try {
        Tlzrw1 coder;
        std::ostringstream out;
        run(coder, in, out);
        const std::string data = out.str();
        ReplaceFile(outPath, {std::span(reinterpret_cast<const uint8_t*>(data.data()), data.size())});
    } catch (const CompressError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    } catch (const FileWriteError& e) {
        std::fprintf(stderr, "%s\n", e.what());
        return 1;
    }
    return 0;
}

int Pack(int argc, char** argv) {
    const std::string_view mode = argc == 4 ? argv[1] : "";
    if (mode != "--fast" && mode != "--good") {
        std::fprintf(stderr, "usage: korvant-sim pack --fast|--good IN OUT\n");
        return 2;
    }
    return Convert("pack", argv[2], argv[3], [&](Tlzrw1& coder, std::istream& in, std::ostream& out) {
        coder.CompressMode = mode == "--fast" ? TCompressMode::Fast : TCompressMode::Good;
        coder.Compress(in, out);
    });
}

int Unpack(int argc, char** argv) {
    if (argc != 3) {
        std::fprintf(stderr, "usage: korvant-sim unpack IN OUT\n");
        return 2;
    }
    return Convert("unpack", argv[1], argv[2],
                   [](Tlzrw1& coder, std::istream& in, std::ostream& out) { coder.Decompress(in, out); });
}

const SimCommand pack("pack", "pack --fast|--good IN OUT", Pack);
const SimCommand unpack("unpack", "unpack IN OUT", Unpack);

}  // namespace
}  // namespace korvant::sim
