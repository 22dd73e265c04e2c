#include "wire/handshake.h"

#include "wire/byte_io.h"
#include "wire/player_list.h"

namespace korvant::wire {

OpenError OpenErrorOf(Verdict v) {
    switch (v) {
        case Verdict::Full: return OpenError::SessionFull;
        case Verdict::OtherProgram: return OpenError::OtherProgram;
        case Verdict::OtherVersion: return OpenError::OtherVersion;
        case Verdict::IdTaken: return OpenError::IdTaken;
        case Verdict::NameTaken: return OpenError::NameTaken;
        case Verdict::WrongPassword: return OpenError::WrongPassword;
        default: return OpenError::ProtocolError;
    }
}

void PutIdentity(ByteWriter& w, const Identity& id) {
    w.U32(id.Magic);
    w.U16(id.Version);
    w.ShortText(id.Guid);
}

Identity GetIdentity(ByteReader& r) {
    Identity id;
    id.Magic = r.U32();
    id.Version = r.U16();
    id.Guid = r.ShortText();
    return id;
}

Verdict ReadIdentity(ByteReader& r, const Identity& ours, Identity& out) {
    out.Magic = r.U32();
    if (r.Failed()) return Verdict::Malformed;
    // A foreign greeting cut short still counts as foreign rather than malformed.
    if (out.Magic != ours.Magic) return Verdict::OtherProgram;
    out.Version = r.U16();
    out.Guid = r.ShortText();
    if (r.Failed()) return Verdict::Malformed;
    return CheckIdentity(out, ours);
}

namespace {

void PutEntry(ByteWriter& w, const RosterEntry& e) {
    w.U32(e.Id);
    w.U32(e.Seq);
    w.U32(e.Ipv4);
    w.U16(e.Port);
    w.ShortText(e.Name);
}

RosterEntry GetEntry(ByteReader& r) {
    RosterEntry e;
    e.Id = r.U32();
    e.Seq = r.U32();
    e.Ipv4 = r.U32();
    e.Port = r.U16();
    e.Name = r.ShortText();
    return e;
}

}  // namespace

std::vector<std::uint8_t> EncodeHello(const Hello& h) {
    ByteWriter w;
    PutIdentity(w, h.Who);
    w.U8(static_cast<std::uint8_t>(h.Want));
    w.U32(h.Id);
    w.U16(h.Port);
    w.ShortText(h.Name);
    return std::move(w.Out());
}

std::vector<std::uint8_t> EncodeWelcome(const Welcome& v) {
    ByteWriter w;
    PutIdentity(w, v.Who);
    w.U8(static_cast<std::uint8_t>(v.Answer));
    if (v.Answer == Verdict::Accepted) {
        w.U32(v.Seq);
        w.U8(static_cast<std::uint8_t>(v.Players.size()));
        for (const RosterEntry& e : v.Players) PutEntry(w, e);
    } else if (v.Answer == Verdict::Redirect) {
        w.U32(v.RedirectIpv4);
        w.U16(v.RedirectPort);
    }
    return std::move(w.Out());
}

std::vector<std::uint8_t> EncodeAnnounce(const RosterEntry& e) {
    ByteWriter w;
    PutEntry(w, e);
    return std::move(w.Out());
}

Verdict CheckIdentity(const Identity& theirs, const Identity& ours) {
    if (theirs.Magic != ours.Magic || theirs.Guid != ours.Guid) return Verdict::OtherProgram;
    if (theirs.Version != ours.Version) return Verdict::OtherVersion;
    return Verdict::Accepted;
}

Verdict ParseHello(std::span<const std::uint8_t> body, const Identity& ours, Hello& out) {
    ByteReader r(body);
    Hello h;
    if (Verdict v = ReadIdentity(r, ours, h.Who); v != Verdict::Accepted) return v;
    std::uint8_t want = r.U8();
    h.Id = r.U32();
    h.Port = r.U16();
    h.Name = r.ShortText();
    if (!r.Done() || h.Id == 0 || (want != std::uint8_t(Intent::Join) && want != std::uint8_t(Intent::Link))) {
        return Verdict::Malformed;
    }
    h.Want = static_cast<Intent>(want);
    out = std::move(h);
    return Verdict::Accepted;
}

std::optional<Welcome> ParseWelcome(std::span<const std::uint8_t> body, const Identity& ours) {
    ByteReader r(body);
    Welcome v;
    if (Verdict id = ReadIdentity(r, ours, v.Who); id != Verdict::Accepted) {
        if (id == Verdict::Malformed) return std::nullopt;
        v.Answer = id;
        return v;
    }
    std::uint8_t answer = r.U8();
    if (r.Failed() || answer > std::uint8_t(Verdict::WrongPassword)) return std::nullopt;
    v.Answer = static_cast<Verdict>(answer);
    if (v.Answer == Verdict::Accepted) {
        v.Seq = r.U32();
        std::optional<std::vector<RosterEntry>> players = ReadPlayers(r, &GetEntry);
        if (!players) return std::nullopt;
        v.Players = std::move(*players);
    } else if (v.Answer == Verdict::Redirect) {
        v.RedirectIpv4 = r.U32();
        v.RedirectPort = r.U16();
    }
    if (!r.Done()) return std::nullopt;
    return v;
}

std::optional<RosterEntry> ParseAnnounce(std::span<const std::uint8_t> body) {
    ByteReader r(body);
    RosterEntry e = GetEntry(r);
    if (!r.Done() || e.Id == 0) return std::nullopt;
    return e;
}

}  // namespace korvant::wire
