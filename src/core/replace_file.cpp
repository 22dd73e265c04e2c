#include "core/replace_file.h"

#include <cerrno>
#include <cstring>
#include <fstream>
#include <string>
#include <system_error>

namespace korvant {
namespace {

[[noreturn]] void failed(const std::filesystem::path& target, const std::string& reason) {
    throw FileWriteError(target, reason);
}

std::string systemReason() { return errno != 0 ? std::strerror(errno) : "write error"; }

}  // namespace

void ReplaceFile(const std::filesystem::path& target, std::initializer_list<std::span<const uint8_t>> parts) {
    std::filesystem::path temporary = target;
    temporary += ".tmp";
    std::error_code ec;
    {
        errno = 0;
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) failed(target, systemReason());
        for (const auto& part : parts) out.write(reinterpret_cast<const char*>(part.data()), std::streamsize(part.size()));
        out.close();
        if (!out) {
            const std::string reason = systemReason();
            std::filesystem::remove(temporary, ec);
            failed(target, reason);
        }
    }
    std::filesystem::rename(temporary, target, ec);
    if (ec) {
        std::error_code ignored;
        std::filesystem::remove(temporary, ignored);
        failed(target, ec.message());
    }
}

}  // namespace korvant
