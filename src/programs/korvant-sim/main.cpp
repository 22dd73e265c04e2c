// The headless program: whole games played by the computer, saved games
// inspected and converted, timing runs. It links only the rules.
#include <cstdio>
#include <cstring>
#include <string_view>

namespace {

int usage() {
    std::fprintf(stderr,
                 "usage: korvant-sim --version\n");
    return 2;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) return usage();
    std::string_view cmd = argv[1];
    if (cmd == "--version") {
        std::printf("korvant-sim %s\n", KORVANT_VERSION);
        return 0;
    }
    return usage();
}
