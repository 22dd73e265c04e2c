#pragma once
// Raw access to what a saved game holds.
#include <filesystem>
#include <fstream>
#include <iterator>
#include <vector>

#include "save/container.h"
#include "save/saved_game.h"

namespace korvant::testing {

inline std::vector<uint8_t> ReadBytes(const std::filesystem::path& file) {
    std::ifstream in(file, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

inline void WriteBytes(const std::filesystem::path& file, const std::vector<uint8_t>& bytes) {
    std::ofstream out(file, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// The decompressed body of a saved-game file.
inline std::vector<uint8_t> BodyOf(const std::filesystem::path& file) {
    const auto bytes = ReadBytes(file);
    Tlzrw1 coder;
    return coder.Decompress(std::span(bytes).subspan(SaveDescriptionSize));
}

// A saved-game file with the given description and body.
inline void WriteSavedFile(const std::filesystem::path& file, const std::vector<uint8_t>& description,
                           const std::vector<uint8_t>& body) {
    Tlzrw1 coder;
    coder.CompressMode = TCompressMode::Fast;
    std::vector<uint8_t> bytes = description;
    coder.Compress(body, bytes);
    WriteBytes(file, bytes);
}

}  // namespace korvant::testing
