#pragma once
// korvant-sim's subcommands. Each lives in a file of its own and registers
// itself with a static SimCommand, so adding one touches no other file.
#include <string_view>

namespace korvant::sim {

using CommandFn = int (*)(int argc, char** argv);  // argv[0] is the subcommand's name

struct SimCommand {
    SimCommand(std::string_view name, std::string_view usage, CommandFn fn);
};

// Reads the number after option argv[i] into `out` and steps past it; on a missing or
// out-of-range value says so on standard error, naming `command`, and returns false.
bool NumberOption(const char* command, int argc, char** argv, int& i, long long lo, long long hi, long long& out);

}  // namespace korvant::sim
