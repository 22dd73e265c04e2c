#include "save/lzhuf_huffman.h"

#include <algorithm>

namespace korvant {

LzhufHuffman::LzhufHuffman() {
    for (int i = 0; i < SymbolCount; ++i) {
        freq_[i] = 1;
        son_[i] = i + TableSize;
        parent_[i + TableSize] = i;
    }
    for (int i = 0, j = SymbolCount; j <= Root; i += 2, ++j) {
        freq_[j] = freq_[i] + freq_[i + 1];
        son_[j] = i;
        parent_[i] = parent_[i + 1] = j;
    }
    freq_[TableSize] = 0xFFFF;
    parent_[Root] = 0;
}

LzhufHuffman::Code LzhufHuffman::CodeOf(int symbol) const {
    uint32_t bits = 0;
    int length = 0;
    for (int node = parent_[symbol + TableSize]; node != Root; node = parent_[node]) {
        bits |= uint32_t(node & 1) << length;
        ++length;
    }
    return {bits, length};
}

// Frequencies never decrease along the table, so the last node below `freq`
// is found by galloping from `from` (known to be below it) and halving.
int LzhufHuffman::lastBelow(int from, unsigned freq) const {
    int below = from;
    int step = 1;
    int atLeast = from + 1;
    while (freq_[atLeast] < freq) {
        below = atLeast;
        step *= 2;
        atLeast = std::min(from + step, int(TableSize));
    }
    while (atLeast - below > 1) {
        int mid = below + (atLeast - below) / 2;
        if (freq_[mid] < freq)
            below = mid;
        else
            atLeast = mid;
    }
    return below;
}

void LzhufHuffman::Update(int symbol) {
    if (freq_[Root] == MaxFreq) rebuild();
    int c = parent_[symbol + TableSize];
    do {
        unsigned k = ++freq_[c];
        // The node now outweighs its successor: swap it with the last node
        // still lighter than it, so the table stays in order.
        if (k > freq_[c + 1]) {
            int l = lastBelow(c + 1, k);
            freq_[c] = freq_[l];
            freq_[l] = k;

            int i = son_[c];
            parent_[i] = l;
            if (i < TableSize) parent_[i + 1] = l;

            int j = son_[l];
            son_[l] = i;

            parent_[j] = c;
            if (j < TableSize) parent_[j + 1] = c;
            son_[c] = j;

            c = l;
        }
        c = parent_[c];
    } while (c != 0);
}

// Gathers the leaves in table order with their frequencies halved (rounding
// up, so none drops to zero), then joins the two lowest unjoined nodes into a
// parent placed after every node of no greater frequency.
void LzhufHuffman::rebuild() {
    int leaves = 0;
    for (int i = 0; i < TableSize; ++i) {
        if (son_[i] >= TableSize) {
            freq_[leaves] = (freq_[i] + 1) / 2;
            son_[leaves] = son_[i];
            ++leaves;
        }
    }
    for (int i = 0, j = SymbolCount; j < TableSize; i += 2, ++j) {
        unsigned f = freq_[i] + freq_[i + 1];
        int k = j - 1;
        while (f < freq_[k]) --k;
        ++k;
        std::copy_backward(freq_.begin() + k, freq_.begin() + j, freq_.begin() + j + 1);
        freq_[k] = f;
        std::copy_backward(son_.begin() + k, son_.begin() + j, son_.begin() + j + 1);
        son_[k] = i;
    }
    for (int i = 0; i < TableSize; ++i) {
        int k = son_[i];
        if (k >= TableSize) {
            parent_[k] = i;
        } else {
            parent_[k] = parent_[k + 1] = i;
        }
    }
}

}  // namespace korvant
