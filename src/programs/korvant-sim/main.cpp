// The headless program: whole games played by the computer, saved games
// inspected and converted, timing runs. It links only the rules.
#include <charconv>
#include <cstdio>
#include <map>
#include <string>
#include <string_view>

#include "command.h"

namespace korvant::sim {
namespace {

struct Entry {
    std::string usage;
    CommandFn fn;
};

std::map<std::string, Entry, std::less<>>& registry() {
    static std::map<std::string, Entry, std::less<>> r;
    return r;
}

int usage(std::FILE* to, int status) {
    std::fprintf(to, "usage: korvant-sim --help | --version\n");
    for (const auto& [name, e] : registry()) std::fprintf(to, "       korvant-sim %s\n", e.usage.c_str());
    return status;
}

}  // namespace

SimCommand::SimCommand(std::string_view name, std::string_view usage, CommandFn fn) {
    registry().emplace(std::string(name), Entry{std::string(usage), fn});
}

bool NumberOption(const char* command, int argc, char** argv, int& i, long long lo, long long hi, long long& out) {
    long long v = 0;
    if (i + 1 < argc) {
        std::string_view s = argv[i + 1];
        auto [end, ec] = std::from_chars(s.data(), s.data() + s.size(), v);
        if (ec == std::errc() && end == s.data() + s.size() && v >= lo && v <= hi) {
            out = v;
            ++i;
            return true;
        }
    }
    std::fprintf(stderr, "%s: %s needs a number from %lld to %lld\n", command, argv[i], lo, hi);
    return false;
}

}  // namespace korvant::sim

int main(int argc, char** argv) {
    using namespace korvant::sim;
    if (argc < 2) return usage(stderr, 2);
    std::string_view cmd = argv[1];
    if (cmd == "--help" || cmd == "-h") {
        std::printf(
            "Korvant's headless program: whole games played by the computer, saved games\n"
            "inspected, the compressed container packed and unpacked.\n\n");
        return usage(stdout, 0);
    }
    if (cmd == "--version") {
        std::printf("korvant-sim %s\n", KORVANT_VERSION);
        return 0;
    }
    auto it = registry().find(cmd);
    if (it == registry().end()) return usage(stderr, 2);
    return it->second.fn(argc - 1, argv + 1);
}
