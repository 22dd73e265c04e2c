#pragma once
// What players of a session exchange through an MQTT broker, as pure functions over bytes and
// topic names. Every topic lies under one prefix with the protocol's version:
//   korvant/1/a/<id>          retained: the player's presence; the admitting player's is the
//                             session's advert; his will overwrites it with "gone"
//   korvant/1/in/<to>/<from>  the letters one player sends another
// Ids are written as 8 lowercase hex digits, which is also the player's MQTT client id, so that a
// broker's ACL can let a client write only its own presence and only letters that name it as sender.
// A letter carries the sender's token, a random number known only to the session's players: on a
// broker without such an ACL it tells a player's letters and will from a stranger's.
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "wire/handshake.h"

namespace korvant::wire::broker {

std::string IdText(PlayerId id);
std::string PresenceTopic(PlayerId id);
inline constexpr const char* PresenceFilter = "korvant/1/a/+";
std::string InboxTopic(PlayerId to, PlayerId from);
std::string InboxFilter(PlayerId to);
// The player a presence topic names, or nothing for any other topic.
std::optional<PlayerId> PresenceIdOf(std::string_view topic);
// The sender a letter's topic names when it is addressed to `to`, or nothing.
std::optional<PlayerId> InboxSenderOf(std::string_view topic, PlayerId to);

enum class Standing : std::uint8_t {
    Present = 1,
    Admitting = 2,  // the session's advert: joiners knock here
    Gone = 3,       // the player's will: the broker lost him
};

struct Presence {
    Identity Who;
    PlayerId Id = 0;
    std::uint64_t Token = 0;  // only in a will, which is published once the player is gone
    Standing Now = Standing::Present;
    std::uint8_t Players = 0;
    bool Password = false;  // a joiner must give the session's password
    std::string Session;    // the creator's name, by which the session is known
    std::string Name;       // this player's name
};
std::vector<std::uint8_t> EncodePresence(const Presence& p);
// Nothing when malformed; the identity is the reader's to check.
std::optional<Presence> ParsePresence(std::span<const std::uint8_t> payload);

enum class Note : std::uint8_t {
    Knock = 1,     // a joiner asks the admitting player to be admitted
    Answer = 2,    // admitted with the roster, or refused
    Announce = 3,  // a player admitted, from the player who admitted him
    Data = 4,      // a block of the game
    Leave = 5,     // a clean leave
    Probe = 6,     // to oneself: every retained message subscribed to before it has come
};

struct Letter {
    Note Kind = Note::Data;
    std::uint64_t Token = 0;
    std::span<const std::uint8_t> Body;
};
std::vector<std::uint8_t> EncodeLetter(Note kind, std::uint64_t token, std::span<const std::uint8_t> body = {});
// Nothing for an unknown kind, a cut letter or a body of MaxFrameBytes or more.
std::optional<Letter> ParseLetter(std::span<const std::uint8_t> payload);

struct Member {
    PlayerId Id = 0;
    std::uint32_t Seq = 0;  // order of joining
    std::uint64_t Token = 0;
    std::string Name;
};

struct Knock {
    Identity Who;
    std::string Name;
    std::string Password;
};

struct Answer {
    Identity Who;
    Verdict Said = Verdict::Accepted;
    std::uint32_t Seq = 0;        // Accepted: the joiner's place in the order
    std::vector<Member> Players;  // Accepted: every player but the joiner
};

std::vector<std::uint8_t> EncodeKnock(const Knock& k);
// Identity first, as a TCP hello: OtherProgram, OtherVersion, Malformed, or Accepted with `out`.
Verdict ParseKnock(std::span<const std::uint8_t> body, const Identity& ours, Knock& out);
std::vector<std::uint8_t> EncodeAnswer(const Answer& a);
// An answer whose identity differs from ours reads as that refusal; nothing when malformed.
std::optional<Answer> ParseAnswer(std::span<const std::uint8_t> body, const Identity& ours);
std::vector<std::uint8_t> EncodeMember(const Member& m);
std::optional<Member> ParseMember(std::span<const std::uint8_t> body);

}  // namespace korvant::wire::broker
