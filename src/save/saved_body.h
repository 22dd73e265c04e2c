#pragma once
// The body of a saved game (before compression): the fields of the saved state in their
// order, little-endian and back to back. The chronicle takes two short strings; the check
// value, the number of messages and the messages close the body.
#include <cstddef>
#include <cstdint>
#include <span>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/state_fields.h"

namespace korvant {

namespace saved_body {
// Characters of the chronicle in each part; the rest is lost.
inline constexpr std::size_t ChronicleFirst = 245;
inline constexpr std::size_t ChronicleSecond = 250;
inline constexpr std::size_t ChroniclePart = 251;  // a short string of 250 characters

template <class T>
constexpr std::size_t Width(const StateField<T>&) {
    if constexpr (std::is_same_v<T, std::string>)
        return 2 * ChroniclePart;
    else if constexpr (std::is_same_v<T, TMesList>)
        return 0;  // as long as the list; it closes the body
    else
        return sizeof(T);
}

// Where a field of the saved state starts in the body.
template <class T>
constexpr std::size_t OffsetOf(const StateField<T>& wanted) {
    std::size_t at = 0, found = 0;
    ForEachField(state::Saved, [&](const auto& field) {
        if (field.name == wanted.name) found = at;
        at += Width(field);
    });
    return found;
}

inline constexpr std::size_t Chronicle1 = OffsetOf(state::Chronicle);
inline constexpr std::size_t Chronicle2 = Chronicle1 + ChroniclePart;
inline constexpr std::size_t LivingCount = OffsetOf(state::LivingCount);
inline constexpr std::size_t GosCount = OffsetOf(state::GosCount);
inline constexpr std::size_t States = OffsetOf(state::States);
inline constexpr std::size_t Map = OffsetOf(state::Map);
inline constexpr std::size_t Resume = OffsetOf(state::Resume);
inline constexpr std::size_t SaveCount = OffsetOf(state::SaveCount);
inline constexpr std::size_t Check = OffsetOf(state::Messages);
inline constexpr std::size_t MessageCount = Check + sizeof(int64_t);
inline constexpr std::size_t Messages = MessageCount + sizeof(int32_t);
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
