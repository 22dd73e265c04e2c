#include "save/saved_body.h"

#include <algorithm>
#include <cstring>

#include "core/cp1251.h"
#include "save/check_value.h"

namespace korvant {
namespace {

namespace at = saved_body;

// The layout every saved game has had; a field added to the saved state moves it on purpose.
static_assert(at::States == 504 && at::Map == 80089 && at::Resume == 90494 && at::Messages == 90516);
static_assert(sizeof(float) == 4);

void putShortString(std::vector<uint8_t>& out, std::string_view cp1251) {
    const std::size_t start = out.size();
    out.resize(start + at::ChroniclePart, 0);
    out[start] = uint8_t(cp1251.size());
    std::memcpy(&out[start + 1], cp1251.data(), cp1251.size());
}

std::string_view getShortString(std::span<const uint8_t> body, std::size_t& offset) {
    const std::size_t len = body[offset];
    if (len > at::ChroniclePart - 1) throw SavedBodyError("chronicle part too long");
    const std::string_view text{reinterpret_cast<const char*>(body.data() + offset + 1), len};
    offset += at::ChroniclePart;
    return text;
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

struct BodyWriter {
    const Game& game;
    uint8_t resume;
    std::vector<uint8_t> out;

    void operator()(const StateField<std::string>& field) {
        std::string chronicle = Utf8ToCp1251(field.of(game));
        chronicle.resize(std::min(chronicle.size(), at::ChronicleFirst + at::ChronicleSecond));
        const std::string_view text = chronicle;
        putShortString(out, text.substr(0, at::ChronicleFirst));
        putShortString(out, text.size() > at::ChronicleFirst ? text.substr(at::ChronicleFirst) : "");
    }
    void operator()(const StateField<TMesList>& field) {
        const auto& messages = field.of(game).entries();
        PutRaw(out, CheckValue(game));
        PutRaw(out, int32_t(messages.size()));
        for (const TMesRec& m : messages) PutRaw(out, m);
    }
    template <class T>
    void operator()(const StateField<T>& field) {
        if (field.name == state::Resume.name)
            PutRaw(out, resume);
        else
            PutRaw(out, field.of(game));
    }
};

struct BodyReader {
    std::span<const uint8_t> body;
    Game& into;
    std::size_t at = 0;
    int64_t check = 0;

    void operator()(const StateField<std::string>& field) {
        std::string chronicle(getShortString(body, at));
        chronicle += getShortString(body, at);
        field.of(into) = Cp1251ToUtf8(chronicle);
    }
    void operator()(const StateField<TMesList>& field) {
        GetRaw(body, at, check);
        int32_t count;
        GetRaw(body, at, count);
        if (count < 0 || std::size_t(count) > (body.size() - at) / sizeof(TMesRec))
            throw SavedBodyError("message list cut off");
        auto& entries = field.of(into).entries();
        entries.clear();
        entries.reserve(std::size_t(count));
        for (int32_t k = 0; k < count; ++k) {
            TMesRec stored;
            GetRaw(body, at, stored);
            TMesRec& m = entries.emplace_back();
            std::memset(&m, 0, sizeof m);  // the bytes behind the text and the reserved ones start clean
            m.Kind = stored.Kind;
            m.Gos = stored.Gos;
            m.Color = stored.Color;
            m.Text.setRaw(stored.Text.raw());
        }
    }
    template <class T>
    void operator()(const StateField<T>& field) {
        GetRaw(body, at, field.of(into));
    }
};

}  // namespace

std::vector<uint8_t> WriteSavedBody(const Game& game, uint8_t resume) {
    BodyWriter writer{game, resume, {}};
    writer.out.reserve(at::Messages + sizeof(TMesRec) * game.MesList.entries().size());
    ForEachField(state::Saved, writer);
    return std::move(writer.out);
}

int64_t ReadSavedBody(std::span<const uint8_t> body, Game& into) {
    if (body.size() < at::Messages) throw SavedBodyError("body too short");
    BodyReader reader{body, into};
    ForEachField(state::Saved, reader);
    checkRanges(into);
    return reader.check;
}

}  // namespace korvant
