#pragma once
// The year's messages, in the order the events happened.
#include <cstdint>
#include <string_view>
#include <vector>

#include "core/records.h"

namespace korvant {

class TMesList {
public:
    // Appends an entry; the text (UTF-8) is cut to 255 characters.
    void Add(uint8_t kind, uint8_t gos, int32_t color, std::string_view text);
    void Clear() { entries_.clear(); }

    int Count() const { return static_cast<int>(entries_.size()); }
    const TMesRec& operator[](int i) const { return entries_[static_cast<std::size_t>(i)]; }
    const std::vector<TMesRec>& entries() const { return entries_; }
    std::vector<TMesRec>& entries() { return entries_; }

private:
    std::vector<TMesRec> entries_;
};

}  // namespace korvant
