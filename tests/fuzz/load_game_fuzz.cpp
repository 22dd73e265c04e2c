// Loading a saved game from arbitrary files. The first byte chooses how the rest is
// used: as the whole file, or as a body that is put into a well-formed file, so
// that the fuzzer reaches the body's reader as well as the container's.
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "core/game.h"
#include "save/check_value.h"
#include "save/container.h"
#include "save/saved_body.h"
#include "save/saved_game.h"

namespace {

const std::filesystem::path& scratchFile() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("korvant_load_fuzz_" + std::to_string(::getpid()) + ".gen");
    return path;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    using namespace korvant;
    if (size == 0) return 0;
    std::vector<uint8_t> file;
    if (data[0] & 1) {
        file.assign(data + 1, data + size);
    } else {
        file.assign(SaveDescriptionSize, '\r');
        Tlzrw1 coder;
        coder.CompressMode = TCompressMode::Fast;
        coder.Compress({data + 1, size - 1}, file);
    }
    {
        std::ofstream out(scratchFile(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(file.data()), std::streamsize(file.size()));
    }

    auto game = std::make_unique<Game>();
    game->GameMode = (data[0] & 2) ? ModeNetServer : ModeLocal;
    if (LoadGame(*game, scratchFile())) {
        // What was loaded saves again into a body that reads back to the same state.
        const std::vector<uint8_t> body = WriteSavedBody(*game, game->ResumePlayer);
        auto again = std::make_unique<Game>();
        if (ReadSavedBody(body, *again) != CheckValue(*game) || CheckValue(*again) != CheckValue(*game)) std::abort();
    }
    return 0;
}
