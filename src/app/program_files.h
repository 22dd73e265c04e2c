#pragma once
// Where the program's own files are: its folder and the INI file named like it.
#include <filesystem>

namespace korvant {

// The running executable (from /proc/self/exe); `argv0` when that cannot be read.
std::filesystem::path ProgramFile(const char* argv0);

// The INI file beside the program, named like it with ".ini".
std::filesystem::path IniFileFor(const std::filesystem::path& program);

}  // namespace korvant
