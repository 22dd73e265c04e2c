#pragma once
// Writing a file so that a failure never leaves it half written.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <stdexcept>

namespace korvant {

// A file that could not be written; the text names the file and the reason.
class FileWriteError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Writes the parts one after another to a temporary file beside `target` and
// renames it over `target` once it is complete. On failure the temporary file
// is removed, `target` keeps what it held, and FileWriteError is raised.
void ReplaceFile(const std::filesystem::path& target, std::initializer_list<std::span<const uint8_t>> parts);

}  // namespace korvant
