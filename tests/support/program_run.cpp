#include "support/program_run.h"

#include <sys/wait.h>

#include <cstdio>
#include <filesystem>

namespace korvant::test {

namespace {
std::filesystem::path ProgramPath(const std::string& program) {
    return std::filesystem::path(KORVANT_BIN_DIR) / program;
}
}  // namespace

ProgramRun RunProgram(const std::string& program, const std::string& args, bool withErrors) {
    ProgramRun run;
    const std::string cmd = "'" + ProgramPath(program).string() + "' " + args + (withErrors ? " 2>&1" : " 2>/dev/null");
    FILE* pipe = ::popen(cmd.c_str(), "r");
    if (pipe == nullptr) return run;
    char buffer[4096];
    while (std::size_t n = std::fread(buffer, 1, sizeof buffer, pipe)) run.output.append(buffer, n);
    const int status = ::pclose(pipe);
    run.status = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

bool ProgramBuilt(const std::string& program) { return std::filesystem::exists(ProgramPath(program)); }

}  // namespace korvant::test
