#pragma once
// The adaptive Huffman tree of the LZHUF coder: 314 symbols (the 256 byte
// values and the match lengths 3 to 60 as 253 + length) in a table of 627
// nodes kept in order of frequency, so that each coded symbol only swaps a few
// nodes. When the root's frequency reaches 0x8000 the tree is rebuilt from the
// halved leaf frequencies. Encoder and decoder keep identical trees by updating
// after every symbol.
#include <array>
#include <cstdint>

namespace korvant {

class LzhufHuffman {
public:
    static constexpr int SymbolCount = 314;
    static constexpr int TableSize = 2 * SymbolCount - 1;
    static constexpr int Root = TableSize - 1;
    static constexpr unsigned MaxFreq = 0x8000;

    // A symbol's code, root side first: the low `length` bits of `bits`, most
    // significant first. A leaf at depth d makes the root weigh at least the
    // (d + 2)th Fibonacci number and the root never weighs more than 0x8000, so
    // no code is longer than 21 bits.
    struct Code {
        uint32_t bits;
        int length;
    };

    LzhufHuffman();

    Code CodeOf(int symbol) const;

    // Walks from the root, taking the higher child for a 1 bit from `nextBit`.
    template <class NextBit>
    int DecodeSymbol(NextBit&& nextBit) const {
        int node = son_[Root];
        while (node < TableSize) node = son_[node + nextBit()];
        return node - TableSize;
    }

    // Counts one more occurrence of `symbol`.
    void Update(int symbol);

private:
    void rebuild();
    int lastBelow(int from, unsigned freq) const;

    // freq_[TableSize] is a sentinel above every real frequency.
    std::array<unsigned, TableSize + 1> freq_;
    // A node's children are son_[n] and son_[n] + 1; a leaf's son_ is its symbol + TableSize.
    std::array<int, TableSize> son_;
    // Parents of nodes; entries from TableSize on hold each symbol's leaf.
    std::array<int, TableSize + SymbolCount> parent_;
};

}  // namespace korvant
