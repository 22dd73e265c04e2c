#pragma once
// The handshake between two computers of a session and the roster messages, as pure functions
// over bytes. Both sides open with the magic word, the protocol version and the game's GUID;
// anything else is refused before a block of the game flows.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include "net/session.h"

namespace korvant::wire {

inline constexpr std::uint32_t Magic = 0x544E564Bu;  // "KVNT"
inline constexpr std::uint16_t ProtocolVersion = 1;
inline constexpr const char* GameGuid = "{00000000-0000-0000-0000-123000000000}";

// Who speaks: checked first, so another program or version gets a clear refusal.
struct Identity {
    std::uint32_t Magic = wire::Magic;
    std::uint16_t Version = ProtocolVersion;
    std::string Guid = GameGuid;
};

enum class Intent : std::uint8_t {
    Join = 1,  // asks to be admitted to the session
    Link = 2,  // an admitted player connecting to another player of the session
};

// A player as the roster messages carry him. Ipv4 0 stands for the computer that sent the message.
struct RosterEntry {
    PlayerId Id = 0;
    std::uint32_t Seq = 0;  // order of joining; the session lists players by it
    std::uint32_t Ipv4 = 0;
    std::uint16_t Port = 0;  // where the player accepts connections
    std::string Name;
};

struct Hello {
    Identity Who;
    Intent Want = Intent::Join;
    PlayerId Id = 0;
    std::uint16_t Port = 0;
    std::string Name;
};

enum class Verdict : std::uint8_t {
    Accepted = 0,
    Redirect = 1,  // this computer does not admit players; ask the one named
    Full = 2,
    OtherProgram = 3,
    OtherVersion = 4,
    IdTaken = 5,
    Malformed = 6,
    NameTaken = 7,      // a present player has this name, letter case aside
    WrongPassword = 8,  // the session has a password and the joiner did not give it
};

struct Welcome {
    Identity Who;
    Verdict Answer = Verdict::Accepted;
    std::uint32_t Seq = 0;             // Accepted: the joiner's place in the order
    std::vector<RosterEntry> Players;  // Accepted join: every player but the joiner
    std::uint32_t RedirectIpv4 = 0;    // Redirect
    std::uint16_t RedirectPort = 0;
};

// Bodies of Hello, Welcome and Announce frames (the kind byte is the frame's).
std::vector<std::uint8_t> EncodeHello(const Hello& h);
std::vector<std::uint8_t> EncodeWelcome(const Welcome& w);
std::vector<std::uint8_t> EncodeAnnounce(const RosterEntry& e);

// Identity first: a foreign magic word or GUID is OtherProgram, a foreign version OtherVersion,
// anything cut short, left over or out of range Malformed; Accepted fills `out`.
Verdict ParseHello(std::span<const std::uint8_t> body, const Identity& ours, Hello& out);
Verdict CheckIdentity(const Identity& theirs, const Identity& ours);

// What a joiner refused with `v` tells his listener.
OpenError OpenErrorOf(Verdict v);

class ByteWriter;
class ByteReader;
// The identity as every handshake message of either transport opens with it.
void PutIdentity(ByteWriter& w, const Identity& id);
Identity GetIdentity(ByteReader& r);
// Reads the identity a greeting or its answer opens with and judges it against ours: a foreign
// magic word (even with the rest cut short) or GUID is OtherProgram, a foreign version
// OtherVersion, anything else cut short Malformed.
Verdict ReadIdentity(ByteReader& r, const Identity& ours, Identity& out);
// A welcome whose identity differs from ours reads as that refusal (OtherProgram or OtherVersion)
// whatever follows; nothing when it is malformed.
std::optional<Welcome> ParseWelcome(std::span<const std::uint8_t> body, const Identity& ours);
std::optional<RosterEntry> ParseAnnounce(std::span<const std::uint8_t> body);

}  // namespace korvant::wire
