#pragma once
// The guard against outside tampering: a keyed hash of the state a saved game holds, kept
// beside the state. Every legitimate change of the running game is made inside a StateChange,
// which checks the hash before and takes it anew after; the check points check it too. A
// program that writes into the game's memory (a memory editor) leaves the hash behind and is
// caught at the next check, which ends the game with a system error.
#include <array>
#include <cstdint>

namespace korvant {

struct Game;

// Saved fields as bits in the saved game's order (state::MaskOf in core/state_fields.h).
using FieldMask = uint32_t;
inline constexpr FieldMask AllFields = ~FieldMask(0);

class StateGuard {
public:
    // Guards `game` from now on, as it is, under a fresh key; Stop ends the guarding.
    void Start(const Game& game);
    void Stop() { active_ = false; }
    bool Active() const { return active_; }

    // Raises StateError with the system-error message (the program then ends without saving) when
    // the state is no longer the one sealed. Does nothing while not guarding or inside a change.
    void Verify(Game& game) const;

    // A legitimate change begins and ends; nested changes count as the outermost one. Each field
    // has a seal of its own: a change that names the fields it may touch checks and seals only
    // those, so that a small change of a large state costs little; the others keep their seals
    // and are checked at the next check point or whole change.
    void Open(Game& game, FieldMask fields = AllFields);
    void Close(const Game& game);

    // The keyed hash of the state a saved game holds.
    uint64_t Hash(const Game& game) const;

private:
    using Seals = std::array<uint64_t, 32>;  // one a field, in the saved game's order
    void hashFields(const Game& game, FieldMask fields, Seals& into) const;
    // True when the `fields` are as sealed.
    bool sealed(const Game& game, FieldMask fields) const;

    uint64_t key_[2] = {};
    Seals seals_ = {};
    FieldMask open_ = 0;  // the fields the outermost open change may touch
    int depth_ = 0;
    bool active_ = false;
};

// One legitimate change of the state: checks the seal when it begins, seals when it ends (also
// when it ends in an exception: what the rules did up to there was theirs).
class StateChange {
public:
    explicit StateChange(Game& game, FieldMask fields = AllFields);
    ~StateChange();
    StateChange(const StateChange&) = delete;
    StateChange& operator=(const StateChange&) = delete;

private:
    Game& game_;
};

// Guards the game for as long as it lives: the game being played.
class GuardedGame {
public:
    explicit GuardedGame(Game& game);
    ~GuardedGame();
    GuardedGame(const GuardedGame&) = delete;
    GuardedGame& operator=(const GuardedGame&) = delete;

private:
    Game& game_;
};

}  // namespace korvant
