#pragma once
// Writing a file so that neither a failure nor a crash leaves it half written.
#include <cstdint>
#include <filesystem>
#include <functional>
#include <initializer_list>
#include <span>
#include <stdexcept>
#include <string>

namespace korvant {

// A file that could not be written; the text names the file and the reason.
class FileWriteError : public std::runtime_error {
public:
    FileWriteError(std::filesystem::path file, const std::string& reason)
        : std::runtime_error("Cannot write the file \"" + file.string() + "\": " + reason),
          file_(std::move(file)),
          reason_(reason) {}
    const std::filesystem::path& file() const { return file_; }
    const std::string& reason() const { return reason_; }

private:
    std::filesystem::path file_;
    std::string reason_;
};

// The temporary file ReplaceFile's writer fills.
class FileOut {
public:
    FileOut(int fd, const std::filesystem::path& target) : fd_(fd), target_(target) {}
    // Raises FileWriteError when the bytes cannot be written.
    void Write(std::span<const uint8_t> bytes);

private:
    int fd_;
    const std::filesystem::path& target_;
};

// Lets `write` fill a temporary file beside `target` (named after it, with a unique tag and
// ".tmp"), flushes it to the disk and renames it over `target`, then flushes the folder. On
// failure the temporary file is removed, `target` keeps what it held, and FileWriteError is
// raised (an exception of `write` passes through the same way). A temporary file of the same
// target left by a writer that died is removed first; one that a living writer holds is kept.
void ReplaceFile(const std::filesystem::path& target, const std::function<void(FileOut&)>& write);

// The parts one after another.
void ReplaceFile(const std::filesystem::path& target, std::initializer_list<std::span<const uint8_t>> parts);

}  // namespace korvant
