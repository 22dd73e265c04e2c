#pragma once
// Runs one of the built programs as a person would, from a shell.
#include <string>

namespace korvant::test {

struct ProgramRun {
    int status = -1;     // the exit status; -1 when the program could not run or was killed
    std::string output;  // standard output, with standard error when asked for
};

// Runs `program` from the build's program folder with `args` (passed through the shell, so
// quote paths with spaces). Standard error joins the output with `withErrors`, else it is dropped.
ProgramRun RunProgram(const std::string& program, const std::string& args, bool withErrors = false);

// Whether `program` was built beside the tests.
bool ProgramBuilt(const std::string& program);

}  // namespace korvant::test
