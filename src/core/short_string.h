#pragma once
// A text field inside a record: one length byte, then up to Cap characters in
// Windows-1251. Bytes behind the length are not significant.
#include <algorithm>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "core/cp1251.h"

namespace korvant {

template <int Cap>
struct ShortString {
    static_assert(Cap >= 1 && Cap <= 255);
    static constexpr int capacity = Cap;

    uint8_t len;
    char chars[Cap];

    // Stored bytes (Windows-1251), as far as the length byte says (clamped to the capacity
    // so that a damaged record cannot read past the field).
    std::string_view raw() const { return {chars, std::min<std::size_t>(len, Cap)}; }
    std::string utf8() const { return Cp1251ToUtf8(raw()); }

    // Stores a Windows-1251 text, cut to the capacity.
    void setRaw(std::string_view cp1251) {
        len = static_cast<uint8_t>(std::min<std::size_t>(cp1251.size(), Cap));
        std::memcpy(chars, cp1251.data(), len);
    }
    // Stores a UTF-8 text, cut to the capacity counted in characters.
    void set(std::string_view utf8text) { setRaw(Utf8ToCp1251(utf8text)); }
    void clear() { len = 0; }
    bool empty() const { return len == 0; }
};

}  // namespace korvant
