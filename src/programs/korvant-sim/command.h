#pragma once
// korvant-sim's subcommands. Each lives in a file of its own and registers
// itself with a static SimCommand, so adding one touches no other file.
#include <string_view>

namespace korvant::sim {

using CommandFn = int (*)(int argc, char** argv);  // argv[0] is the subcommand's name

struct SimCommand {
    SimCommand(std::string_view name, std::string_view usage, CommandFn fn);
};

}  // namespace korvant::sim
