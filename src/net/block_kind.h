#pragma once
// The kinds of the blocks a network game exchanges. Every block starts with its kind as a
// little-endian int32; the large kinds travel inside a packed envelope of kind Packed.
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>

namespace korvant {

enum class BlockKind : int32_t {
    Chat = 0,
    Ready = 1,
    TurnTime = 2,
    Map = 3,
    Start = 4,
    BecomeServer = 5,
    FullState = 10,
    TurnResult = 11,
    PlayerTurn = 12,
    TurnDone = 13,
    Leave = 14,
    GameOver = 15,
    MapUpdate = 16,
    // Among peers of this protocol version only: the game goes on when a computer is lost.
    Backup = 17,    // the server's whole game, to its heir, with every year's results
    TookOver = 18,  // the heir has become the server of a game whose server vanished
    GameRuns = 19,  // to a newcomer: a game runs; its value says whether a state waits for his name
    Rejoin = 20,    // a newcomer asks the game's server for the state he dropped out of
    Rejoined = 21,  // the game's server gives a state back to the person who dropped out of it
    Packed = 1000,
};

// The kinds that are packed before they are sent.
constexpr bool TravelsPacked(BlockKind kind) {
    return kind == BlockKind::Map || kind == BlockKind::MapUpdate || kind == BlockKind::FullState ||
           kind == BlockKind::TurnResult || kind == BlockKind::Backup;
}

// A received block that is cut short, too long, or holds values the game cannot take.
class BlockError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Throws BlockError unless the block is exactly `size` bytes long.
void RequireSize(std::span<const uint8_t> block, std::size_t size, const char* what);

}  // namespace korvant
