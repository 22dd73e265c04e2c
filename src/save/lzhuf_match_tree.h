#pragma once
// The LZHUF encoder's window: a 4096-byte ring with a 60-byte look-ahead and
// binary search trees of the ring positions, one tree per first byte, ordered
// by the 60 bytes that follow each position. Inserting a position walks its
// tree and finds the longest match on the way.
#include <array>
#include <cstdint>

namespace korvant {

class LzhufMatchTree {
public:
    static constexpr int RingSize = 4096;
    static constexpr int LookAhead = 60;
    // Matches of up to this many bytes are not worth coding.
    static constexpr int Threshold = 2;

    // The ring's first RingSize - LookAhead bytes are spaces, the rest zero
    // bytes, and no position is in a tree.
    LzhufMatchTree();

    // Stores a byte at ring position `pos`; the first LookAhead - 1 positions
    // are mirrored past the ring's end so that a comparison never wraps.
    void SetByte(int pos, uint8_t byte) {
        ring_[pos] = byte;
        if (pos < LookAhead - 1) ring_[pos + RingSize] = byte;
    }

    // Adds position `r` to its tree and records the longest match met on the
    // way, the smallest coded position among equally long ones. A position
    // matching all LookAhead bytes takes the place of the older one.
    void Insert(int r);
    // Takes position `p` out of its tree, if it is in one.
    void Remove(int p);

    // Of the last Insert: 0 when no match longer than Threshold was met.
    int MatchLength() const { return matchLength_; }
    // ((r - p) AND 4095) - 1 for the matching position p.
    unsigned MatchPosition() const { return matchPosition_; }

private:
    static constexpr uint16_t Nil = RingSize;

    void replace(int old, int by);
    void linkFromParent(int old, int by);

    std::array<uint8_t, RingSize + LookAhead - 1> ring_;
    // The children of each position, the right one (later in the tree's
    // order) first; entries from RingSize + 1 on are the 256 roots, whose
    // tree hangs on the right. Nil is an empty link.
    static constexpr int Right = 0;
    static constexpr int Left = 1;
    std::array<std::array<uint16_t, 2>, RingSize + 257> child_;
    std::array<uint16_t, RingSize + 1> dad_;
    int matchLength_ = 0;
    unsigned matchPosition_ = 0;
};

}  // namespace korvant
