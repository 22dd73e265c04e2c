#pragma once
// The body of a saved game (before compression): the chronicle in two parts,
// the state tables as raw records, the scalars, the check value and the year's
// messages, all little-endian at fixed offsets.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant {

// Offsets of the body's fields.
namespace saved_body {
inline constexpr std::size_t Chronicle1 = 0;
inline constexpr std::size_t Chronicle2 = 251;
inline constexpr std::size_t LivingCount = 502;
inline constexpr std::size_t GosCount = 503;
inline constexpr std::size_t States = 504;
inline constexpr std::size_t Generals = 17464;
inline constexpr std::size_t History = 22489;
inline constexpr std::size_t Map = 80089;
inline constexpr std::size_t PeopleCount = 90493;
inline constexpr std::size_t Resume = 90494;
inline constexpr std::size_t MapSize = 90495;
inline constexpr std::size_t CostGrowth = 90496;
inline constexpr std::size_t Year = 90500;
inline constexpr std::size_t SaveCount = 90501;
inline constexpr std::size_t DiffLevel = 90503;
inline constexpr std::size_t Check = 90504;
inline constexpr std::size_t MessageCount = 90512;
inline constexpr std::size_t Messages = 90516;

// Characters of the chronicle in each part; the rest is lost.
inline constexpr std::size_t ChronicleFirst = 245;
inline constexpr std::size_t ChronicleSecond = 250;
}  // namespace saved_body

// A body that is too short or holds values the tables cannot take.
class SavedBodyError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The body of the game as it stands, with `resume` as the resume byte and the check value of `game`.
std::vector<uint8_t> WriteSavedBody(const Game& game, uint8_t resume);

// Reads a body into `into`: the chronicle, the saved tables and scalars (the resume byte
// into ResumePlayer) and the message list. Returns the stored check value.
int64_t ReadSavedBody(std::span<const uint8_t> body, Game& into);

}  // namespace korvant
