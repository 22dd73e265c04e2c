#pragma once
// The backup block (kind 17, sent packed): everything the heir needs to go on computing the game
// exactly as its server would have, should the server vanish. It is the saved game's body (every
// saved table and scalar), headed by the random generator's state, the turn length and the
// persons' table: the name of the person who dropped out of the session from each state, so
// that he can take it back.
#include <cstdint>
#include <map>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/game.h"

namespace korvant {

namespace backup_block {
inline constexpr std::size_t Seed = 4;
inline constexpr std::size_t TurnMinutes = 8;
inline constexpr std::size_t Resume = 9;    // the body's resume byte must name one of PeopleCount
inline constexpr std::size_t Persons = 12;  // MaxStates short strings of 255 characters
inline constexpr std::size_t Body = Persons + MaxStates * 256;
}  // namespace backup_block

// A state's number and the UTF-8 name of the person who dropped out of the session from it.
using DroppedPersons = std::map<int, std::string>;

struct Backup {
    std::unique_ptr<Game> game;  // the saved fields, in a game of their own until applied
    uint32_t seed = 0;
    uint8_t turnMinutes = 0;
    uint8_t resume = 0;
    DroppedPersons dropped;
};

// The largest backup: a body with 65535 messages.
std::size_t LargestBackup();

std::vector<uint8_t> EncodeBackup(const Game& game, const DroppedPersons& dropped);
// Throws BlockError when the block is cut short, its check value does not match its body, or a
// value does not fit the tables.
Backup DecodeBackup(std::span<const uint8_t> block);
// The saved fields, the generator and the turn length into `game`.
void ApplyBackup(const Backup& backup, Game& game);

}  // namespace korvant
