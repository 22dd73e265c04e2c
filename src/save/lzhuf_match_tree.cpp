#include "save/lzhuf_match_tree.h"

#include <bit>
#include <cstring>

namespace korvant {
namespace {

// Eight bytes as a little-endian number: the first byte is the lowest.
uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    if constexpr (std::endian::native == std::endian::big) v = __builtin_bswap64(v);
    return v;
}

// Index of the first differing byte of a and b in [from, to), or `to`.
int firstDifference(const uint8_t* a, const uint8_t* b, int from, int to) {
    int i = from;
    for (; i + 8 <= to; i += 8) {
        uint64_t diff = load64(a + i) ^ load64(b + i);
        if (diff != 0) return i + std::countr_zero(diff) / 8;
    }
    while (i < to && a[i] == b[i]) ++i;
    return i;
}

}  // namespace

LzhufMatchTree::LzhufMatchTree() {
    ring_.fill(0);
    std::memset(ring_.data(), ' ', RingSize - LookAhead);
    for (auto& links : child_) links = {Nil, Nil};
    dad_.fill(Nil);
}

// The walk is a chain of dependent loads, so each step asks for both children
// at once and settles most comparisons on the first eight bytes of the key
// held in a register; the direction and the best match are chosen without
// branches, since on text the comparisons go either way at random.
void LzhufMatchTree::Insert(int r) {
    const uint8_t* key = &ring_[r];
    const uint64_t keyHead = load64(key + 1);
    int parent = RingSize + 1 + key[0];
    int side = Right;
    int bestLength = 0;
    unsigned bestPosition = 0;
    child_[r] = {Nil, Nil};
    for (int p = child_[parent][Right]; p != Nil;) {
        const std::array<uint16_t, 2> links = child_[p];
        const uint64_t head = load64(&ring_[p + 1]);
        int i;
        if (keyHead != head) {
            int shift = std::countr_zero(keyHead ^ head) & ~7;
            i = 1 + shift / 8;
            side = uint8_t(keyHead >> shift) < uint8_t(head >> shift) ? Left : Right;
        } else {
            i = firstDifference(key, &ring_[p], 9, LookAhead);
            side = i < LookAhead && key[i] < ring_[p + i] ? Left : Right;
        }
        unsigned position = unsigned((r - p) & (RingSize - 1)) - 1;
        bool better = i > Threshold && (i > bestLength || (i == bestLength && position < bestPosition));
        bestLength = better ? i : bestLength;
        bestPosition = better ? position : bestPosition;
        if (i >= LookAhead) {
            matchLength_ = bestLength;
            matchPosition_ = bestPosition;
            replace(p, r);
            return;
        }
        parent = p;
        p = links[side];
    }
    child_[parent][side] = uint16_t(r);
    dad_[r] = uint16_t(parent);
    matchLength_ = bestLength;
    matchPosition_ = bestPosition;
}

// Puts `by` (not in any tree) where `old` is and takes `old` out.
void LzhufMatchTree::replace(int old, int by) {
    child_[by] = child_[old];
    dad_[by] = dad_[old];
    dad_[child_[old][Left]] = uint16_t(by);
    dad_[child_[old][Right]] = uint16_t(by);
    linkFromParent(old, by);
    dad_[old] = Nil;
}

// Makes `by` the child of `old`'s parent in `old`'s place.
void LzhufMatchTree::linkFromParent(int old, int by) {
    auto& links = child_[dad_[old]];
    links[links[Right] == old ? Right : Left] = uint16_t(by);
}

// A node with two children is replaced by its in-order predecessor.
void LzhufMatchTree::Remove(int p) {
    if (dad_[p] == Nil) return;
    int q;
    if (child_[p][Right] == Nil) {
        q = child_[p][Left];
    } else if (child_[p][Left] == Nil) {
        q = child_[p][Right];
    } else {
        q = child_[p][Left];
        if (child_[q][Right] != Nil) {
            do {
                q = child_[q][Right];
            } while (child_[q][Right] != Nil);
            child_[dad_[q]][Right] = child_[q][Left];
            dad_[child_[q][Left]] = dad_[q];
            child_[q][Left] = child_[p][Left];
            dad_[child_[p][Left]] = uint16_t(q);
        }
        child_[q][Right] = child_[p][Right];
        dad_[child_[p][Right]] = uint16_t(q);
    }
    dad_[q] = dad_[p];
    linkFromParent(p, q);
    dad_[p] = Nil;
}

}  // namespace korvant
