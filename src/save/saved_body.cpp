#include "save/saved_body.h"

#include <algorithm>
#include <cstring>

#include "core/cp1251.h"
#include "save/check_value.h"

namespace korvant {
namespace {

namespace at = saved_body;

static_assert(at::Generals == at::States + sizeof(Game::mGos));
static_assert(at::History == at::Generals + sizeof(Game::mGeneral));
static_assert(at::Map == at::History + sizeof(Game::History));
static_assert(at::PeopleCount == at::Map + sizeof(Game::Map));
static_assert(sizeof(float) == 4);

constexpr std::size_t ChronicleField = 251;

void putShortString(uint8_t* to, std::string_view cp1251) {
    to[0] = uint8_t(cp1251.size());
    std::memcpy(to + 1, cp1251.data(), cp1251.size());
}

std::string_view getShortString(std::span<const uint8_t> body, std::size_t offset) {
    const std::size_t len = body[offset];
    if (len > ChronicleField - 1) throw SavedBodyError("chronicle part too long");
    return {reinterpret_cast<const char*>(body.data() + offset + 1), len};
}

template <class T>
void putRaw(std::vector<uint8_t>& body, std::size_t offset, const T& value) {
    std::memcpy(body.data() + offset, &value, sizeof value);
}

template <class T>
void getRaw(std::span<const uint8_t> body, std::size_t offset, T& value) {
    std::memcpy(&value, body.data() + offset, sizeof value);
}

// Values that index the tables must stay inside them, whatever the file says.
void checkRanges(const Game& g) {
    auto require = [](bool ok, const char* what) {
        if (!ok) throw SavedBodyError(what);
    };
    require(g.GosCount >= 1 && g.GosCount <= MaxStates, "number of states");
    require(g.LivingCount <= g.GosCount, "living states");
    require(g.PeopleCount <= g.GosCount, "number of persons");
    require(g.ResumePlayer <= g.PeopleCount, "resume player");
    require(g.MapSize >= 1 && g.MapSize <= TMapGrid::high - 1, "map size");
    require(g.Year >= 1 && g.Year <= MaxYears, "year");
    require(g.DiffLevel <= DiffExpert, "difficulty");
    for (int i = 1; i <= g.MapSize; ++i)
        for (int j = 1; j <= g.MapSize; ++j) require(g.Map[i][j] <= g.GosCount, "map cell");
    for (const TGos& s : g.mGos)
        for (const TBorder& b : s.Border) require(b.Commander <= GeneralSlots, "border commander");
    for (const TCommander& c : g.mGeneral) require(c.Owner <= MaxStates && c.Front <= MaxStates, "general");
    for (const TMesRec& m : g.MesList.entries()) require(m.Gos <= MaxStates, "message state");
}

}  // namespace

std::vector<uint8_t> WriteSavedBody(const Game& game, uint8_t resume) {
    const auto& messages = game.MesList.entries();
    std::vector<uint8_t> body(at::Messages + sizeof(TMesRec) * messages.size(), 0);

    std::string chronicle = Utf8ToCp1251(game.Chronicle);
    chronicle.resize(std::min(chronicle.size(), at::ChronicleFirst + at::ChronicleSecond));
    const std::string_view text = chronicle;
    putShortString(&body[at::Chronicle1], text.substr(0, at::ChronicleFirst));
    putShortString(&body[at::Chronicle2], text.size() > at::ChronicleFirst ? text.substr(at::ChronicleFirst) : "");

    body[at::LivingCount] = game.LivingCount;
    body[at::GosCount] = game.GosCount;
    putRaw(body, at::States, game.mGos);
    putRaw(body, at::Generals, game.mGeneral);
    putRaw(body, at::History, game.History);
    putRaw(body, at::Map, game.Map);
    body[at::PeopleCount] = game.PeopleCount;
    body[at::Resume] = resume;
    body[at::MapSize] = game.MapSize;
    putRaw(body, at::CostGrowth, game.CostGrowth);
    body[at::Year] = game.Year;
    putRaw(body, at::SaveCount, game.SaveCount);
    body[at::DiffLevel] = game.DiffLevel;
    putRaw(body, at::Check, CheckValue(game));
    putRaw(body, at::MessageCount, int32_t(messages.size()));
    if (!messages.empty()) std::memcpy(&body[at::Messages], messages.data(), sizeof(TMesRec) * messages.size());
    return body;
}

int64_t ReadSavedBody(std::span<const uint8_t> body, Game& into) {
    if (body.size() < at::Messages) throw SavedBodyError("body too short");

    std::string chronicle(getShortString(body, at::Chronicle1));
    chronicle += getShortString(body, at::Chronicle2);
    into.Chronicle = Cp1251ToUtf8(chronicle);

    into.LivingCount = body[at::LivingCount];
    into.GosCount = body[at::GosCount];
    getRaw(body, at::States, into.mGos);
    getRaw(body, at::Generals, into.mGeneral);
    getRaw(body, at::History, into.History);
    getRaw(body, at::Map, into.Map);
    into.PeopleCount = body[at::PeopleCount];
    into.ResumePlayer = body[at::Resume];
    into.MapSize = body[at::MapSize];
    getRaw(body, at::CostGrowth, into.CostGrowth);
    into.Year = body[at::Year];
    getRaw(body, at::SaveCount, into.SaveCount);
    into.DiffLevel = body[at::DiffLevel];
    int64_t check;
    getRaw(body, at::Check, check);

    int32_t count;
    getRaw(body, at::MessageCount, count);
    if (count < 0 || std::size_t(count) > (body.size() - at::Messages) / sizeof(TMesRec))
        throw SavedBodyError("message list cut off");
    into.MesList.Clear();
    auto& entries = into.MesList.entries();
    entries.reserve(std::size_t(count));
    for (std::size_t k = 0; k < std::size_t(count); ++k) {
        TMesRec stored;
        getRaw(body, at::Messages + k * sizeof(TMesRec), stored);
        TMesRec& m = entries.emplace_back();
        std::memset(&m, 0, sizeof m);
        m.Kind = stored.Kind;
        m.Gos = stored.Gos;
        m.Color = stored.Color;
        m.Text.setRaw(stored.Text.raw());
    }
    checkRanges(into);
    return check;
}

}  // namespace korvant
