#include "wire/discovery_messages.h"

#include "wire/byte_io.h"

namespace korvant::wire {

namespace {

enum : std::uint8_t { SearchKind = 1, AdvertKind = 2 };

void PutHead(ByteWriter& w, const Identity& who, std::uint8_t kind) {
    w.U32(who.Magic);
    w.U16(who.Version);
    w.ShortText(who.Guid);
    w.U8(kind);
}

bool HeadMatches(ByteReader& r, const Identity& ours, std::uint8_t kind) {
    Identity theirs;
    theirs.Magic = r.U32();
    theirs.Version = r.U16();
    theirs.Guid = r.ShortText();
    std::uint8_t k = r.U8();
    return !r.Failed() && k == kind && CheckIdentity(theirs, ours) == Verdict::Accepted;
}

}  // namespace

std::vector<std::uint8_t> EncodeSearch(const Identity& who) {
    ByteWriter w;
    PutHead(w, who, SearchKind);
    return std::move(w.Out());
}

bool IsSearch(std::span<const std::uint8_t> datagram, const Identity& ours) {
    ByteReader r(datagram);
    return HeadMatches(r, ours, SearchKind) && r.Done();
}

std::vector<std::uint8_t> EncodeAdvert(const Identity& who, const Advert& a) {
    ByteWriter w;
    PutHead(w, who, AdvertKind);
    w.U16(a.Port);
    w.U8(a.Players);
    w.ShortText(a.Name);
    return std::move(w.Out());
}

std::optional<Advert> ParseAdvert(std::span<const std::uint8_t> datagram, const Identity& ours) {
    ByteReader r(datagram);
    if (!HeadMatches(r, ours, AdvertKind)) return std::nullopt;
    Advert a;
    a.Port = r.U16();
    a.Players = r.U8();
    a.Name = r.ShortText();
    if (!r.Done() || a.Port == 0 || a.Players == 0 || a.Players > MaxSessionPlayers) return std::nullopt;
    return a;
}

}  // namespace korvant::wire
