#pragma once
// Writing a file so that a failure never leaves it half written.
#include <cstdint>
#include <filesystem>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>

namespace korvant {

// A file that could not be written; the text names the file and the reason.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::filesystem::path file, const std::string& reason)
        : std::runtime_error("Cannot write the file \"" + file.string() + "\": " + reason), file_(std::move(file)),
          reason_(reason) {}
    const std::filesystem::path& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::filesystem::path file_;
    std::string reason_;
};

// Writes the parts one after another to a temporary file beside `target` and
// renames it over `target` once it is complete. On failure the temporary file
// is removed, `target` keeps what it held, and FileWriteError is raised.
void ReplaceFile(const std::filesystem::path& target, std::initializer_list<std::span<const uint8_t>> parts);

}  // namespace korvant
