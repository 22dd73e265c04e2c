#include "wire/broker_wire.h"

#include <algorithm>
#include <charconv>

#include "wire/byte_io.h"
#include "wire/frame_reader.h"
#include "wire/player_list.h"

namespace korvant::wire::broker {

namespace {

constexpr std::string_view PresencePrefix = "korvant/1/a/";
constexpr std::string_view InboxPrefix = "korvant/1/in/";

std::optional<PlayerId> ParseIdText(std::string_view text) {
    PlayerId id = 0;
    if (text.size() != 8 ||
        !std::ranges::all_of(text, [](char c) { return (c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'); }))
        return std::nullopt;
    std::from_chars(text.data(), text.data() + text.size(), id, 16);
    if (id == 0) return std::nullopt;
    return id;
}

void PutMember(ByteWriter& w, const Member& m) {
    w.U32(m.Id);
    w.U32(m.Seq);
    w.U64(m.Token);
    w.ShortText(m.Name);
}

Member GetMember(ByteReader& r) {
    Member m;
    m.Id = r.U32();
    m.Seq = r.U32();
    m.Token = r.U64();
    m.Name = r.ShortText();
    return m;
}

}  // namespace

std::string IdText(PlayerId id) {
    char out[9];
    auto [end, ec] = std::to_chars(out, out + 8, id, 16);
    std::string s(out, end);
    return std::string(8 - s.size(), '0') + s;
}

std::string PresenceTopic(PlayerId id) { return std::string(PresencePrefix) + IdText(id); }
std::string InboxTopic(PlayerId to, PlayerId from) {
    return std::string(InboxPrefix) + IdText(to) + "/" + IdText(from);
}
std::string InboxFilter(PlayerId to) { return std::string(InboxPrefix) + IdText(to) + "/+"; }

std::optional<PlayerId> PresenceIdOf(std::string_view topic) {
    if (!topic.starts_with(PresencePrefix)) return std::nullopt;
    return ParseIdText(topic.substr(PresencePrefix.size()));
}

std::optional<PlayerId> InboxSenderOf(std::string_view topic, PlayerId to) {
    std::string mine = std::string(InboxPrefix) + IdText(to) + "/";
    if (!topic.starts_with(mine)) return std::nullopt;
    return ParseIdText(topic.substr(mine.size()));
}

std::vector<std::uint8_t> EncodePresence(const Presence& p) {
    ByteWriter w;
    PutIdentity(w, p.Who);
    w.U32(p.Id);
    w.U64(p.Token);
    w.U8(static_cast<std::uint8_t>(p.Now));
    w.U8(p.Players);
    w.U8(p.Password ? 1 : 0);
    w.ShortText(p.Session);
    w.ShortText(p.Name);
    return std::move(w.Out());
}

std::optional<Presence> ParsePresence(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    Presence p;
    p.Who = GetIdentity(r);
    p.Id = r.U32();
    p.Token = r.U64();
    std::uint8_t now = r.U8();
    p.Players = r.U8();
    std::uint8_t password = r.U8();
    p.Session = r.ShortText();
    p.Name = r.ShortText();
    if (!r.Done() || p.Id == 0 || now < 1 || now > 3 || password > 1 || p.Players > MaxSessionPlayers)
        return std::nullopt;
    p.Now = static_cast<Standing>(now);
    p.Password = password == 1;
    return p;
}

std::vector<std::uint8_t> EncodeLetter(Note kind, std::uint64_t token, std::span<const std::uint8_t> body) {
    ByteWriter w;
    w.U8(static_cast<std::uint8_t>(kind));
    w.U64(token);
    w.Bytes(body);
    return std::move(w.Out());
}

std::optional<Letter> ParseLetter(std::span<const std::uint8_t> payload) {
    ByteReader r(payload);
    Letter l;
    std::uint8_t kind = r.U8();
    l.Token = r.U64();
    if (r.Failed() || kind < 1 || kind > std::uint8_t(Note::Probe)) return std::nullopt;
    l.Kind = static_cast<Note>(kind);
    l.Body = r.Rest();
    if (l.Body.size() >= MaxFrameBytes) return std::nullopt;
    return l;
}

std::vector<std::uint8_t> EncodeKnock(const Knock& k) {
    ByteWriter w;
    PutIdentity(w, k.Who);
    w.ShortText(k.Name);
    w.ShortText(k.Password);
    return std::move(w.Out());
}

Verdict ParseKnock(std::span<const std::uint8_t> body, const Identity& ours, Knock& out) {
    ByteReader r(body);
    Knock k;
    if (Verdict v = ReadIdentity(r, ours, k.Who); v != Verdict::Accepted) return v;
    k.Name = r.ShortText();
    k.Password = r.ShortText();
    if (!r.Done()) return Verdict::Malformed;
    out = std::move(k);
    return Verdict::Accepted;
}

std::vector<std::uint8_t> EncodeAnswer(const Answer& a) {
    ByteWriter w;
    PutIdentity(w, a.Who);
    w.U8(static_cast<std::uint8_t>(a.Said));
    if (a.Said == Verdict::Accepted) {
        w.U32(a.Seq);
        w.U8(static_cast<std::uint8_t>(a.Players.size()));
        for (const Member& m : a.Players) PutMember(w, m);
    }
    return std::move(w.Out());
}

std::optional<Answer> ParseAnswer(std::span<const std::uint8_t> body, const Identity& ours) {
    ByteReader r(body);
    Answer a;
    if (Verdict id = ReadIdentity(r, ours, a.Who); id != Verdict::Accepted) {
        if (id == Verdict::Malformed) return std::nullopt;
        a.Said = id;
        return a;
    }
    std::uint8_t said = r.U8();
    if (r.Failed() || said > std::uint8_t(Verdict::WrongPassword)) return std::nullopt;
    a.Said = static_cast<Verdict>(said);
    if (a.Said == Verdict::Accepted) {
        a.Seq = r.U32();
        std::optional<std::vector<Member>> players = ReadPlayers(r, &GetMember);
        if (!players) return std::nullopt;
        a.Players = std::move(*players);
    }
    if (!r.Done()) return std::nullopt;
    return a;
}

std::vector<std::uint8_t> EncodeMember(const Member& m) {
    ByteWriter w;
    PutMember(w, m);
    return std::move(w.Out());
}

std::optional<Member> ParseMember(std::span<const std::uint8_t> body) {
    ByteReader r(body);
    Member m = GetMember(r);
    if (!r.Done() || m.Id == 0) return std::nullopt;
    return m;
}

}  // namespace korvant::wire::broker
