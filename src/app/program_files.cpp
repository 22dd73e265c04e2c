#include "app/program_files.h"

#include <system_error>

namespace korvant {

std::filesystem::path ProgramFile(const char* argv0) {
    std::error_code ec;
    std::filesystem::path p = std::filesystem::read_symlink("/proc/self/exe", ec);
    if (!ec && !p.empty()) return p;
    return std::filesystem::absolute(argv0 ? argv0 : "korvant", ec);
}

std::filesystem::path IniFileFor(const std::filesystem::path& program) {
    std::filesystem::path ini = program;
    ini.replace_extension(".ini");
    return ini;
}

}  // namespace korvant
