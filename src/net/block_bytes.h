#pragma once
// Reading and writing the fields of a block at fixed offsets. The records are laid out as the
// blocks carry them and the machine is little-endian (core/records.h), so a field is its bytes.
#include <cstdint>
#include <cstring>
#include <span>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "net/block_kind.h"

namespace korvant {

// Writes `value` at `at`; the block was sized beforehand.
template <class T>
void PutAt(std::vector<uint8_t>& block, std::size_t at, const T& value) {
    static_assert(std::is_trivially_copyable_v<T>);
    std::memcpy(block.data() + at, &value, sizeof value);
}

// The value at `at`; the caller has checked the block's length.
template <class T>
T GetAt(std::span<const uint8_t> block, std::size_t at) {
    static_assert(std::is_trivially_copyable_v<T>);
    T value;
    std::memcpy(&value, block.data() + at, sizeof value);
    return value;
}

// A new block of `size` zero bytes (the bytes that carry nothing stay zero) headed by `kind`.
std::vector<uint8_t> NewBlock(BlockKind kind, std::size_t size);

// The kind a block starts with; the block has at least four bytes.
inline int32_t KindOf(std::span<const uint8_t> block) { return GetAt<int32_t>(block, 0); }

// A length-prefixed string of 255 characters (256 bytes) at `at`, from Windows-1251 text cut to 255.
void PutString255(std::vector<uint8_t>& block, std::size_t at, std::string_view cp1251);
std::string_view GetString255(std::span<const uint8_t> block, std::size_t at);
inline constexpr std::size_t String255Size = 256;

}  // namespace korvant
