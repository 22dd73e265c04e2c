#include "support/process/year_dump.h"

#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>
#include <memory>
#include <span>
#include <vector>

#include "core/state_fields.h"
#include "save/saved_body.h"

namespace korvant::test {

namespace {

struct Dump {
    std::uint32_t seed = 0;
    std::unique_ptr<Game> game;
};

std::unique_ptr<Dump> Read(const std::string& file) {
    std::ifstream in(file, std::ios::binary);
    const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(in), {}};
    if (bytes.size() < sizeof(std::uint32_t)) return nullptr;
    auto dump = std::make_unique<Dump>();
    dump->game = std::make_unique<Game>();
    std::memcpy(&dump->seed, bytes.data(), sizeof dump->seed);
    try {
        ReadSavedBody(std::span(bytes).subspan(sizeof dump->seed), *dump->game);
    } catch (const SavedBodyError&) {
        return nullptr;
    }
    for (TGos& gos : dump->game->mGos) {
        gos.Human = 0;
        gos.Delegated = 0;
        gos.PlayerName.clear();
    }
    return dump;
}

}  // namespace

std::string DifferenceOfYears(const std::string& a, const std::string& b) {
    const std::unique_ptr<Dump> x = Read(a), y = Read(b);
    if (!x || !y) return "unreadable";
    if (x->seed != y->seed) return "the random generator";
    return std::string(FirstDifference(*x->game, *y->game, state::Saved));
}

}  // namespace korvant::test
