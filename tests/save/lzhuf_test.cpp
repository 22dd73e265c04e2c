#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cstring>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "save/compress_error.h"
#include "save/lzhuf.h"
#include "save/lzhuf_stream.h"

namespace korvant {
namespace {

using Bytes = std::vector<uint8_t>;

// The coder written the plain way: byte-by-byte comparisons in the match
// search and a linear scan for the node to swap with in the Huffman tree. The
// real encoder must produce the same stream on every input.
class ReferenceEncoder {
public:
    Bytes Encode(const Bytes& in) {
        if (in.empty()) return out;
        startHuff();
        for (int i = 0; i < N - F; ++i) text[i] = ' ';
        int s = 0, r = N - F, len = 0;
        std::size_t next = 0;
        for (; len < F && next < in.size(); ++len) text[r + len] = in[next++];
        for (int i = 1; i <= F; ++i) insertNode(r - i);
        insertNode(r);
        do {
            if (matchLength > len) matchLength = len;
            if (matchLength <= 2) {
                matchLength = 1;
                encodeChar(text[r]);
            } else {
                encodeChar(255 - 2 + matchLength);
                putBits(pLen(matchPosition >> 6), pCode(matchPosition >> 6) >> (8 - pLen(matchPosition >> 6)));
                putBits(6, matchPosition & 63);
            }
            int last = matchLength, i = 0;
            for (; i < last && next < in.size(); ++i) {
                deleteNode(s);
                text[s] = in[next++];
                if (s < F - 1) text[s + N] = text[s];
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                insertNode(r);
            }
            while (i++ < last) {
                deleteNode(s);
                s = (s + 1) & (N - 1);
                r = (r + 1) & (N - 1);
                if (--len) insertNode(r);
            }
        } while (len > 0);
        if (pending) out.push_back(uint8_t(acc << (8 - pending)));
        return out;
    }

private:
    static constexpr int N = 4096, F = 60, NIL = N;
    static constexpr int NChar = 314, T = 2 * NChar - 1, R = T - 1;

    // The position code spelled out: lengths 3,4,4,4, eight 5s, twelve 6s, 24 7s, sixteen 8s.
    static int pLen(int upper) {
        return upper < 1 ? 3 : upper < 4 ? 4 : upper < 12 ? 5 : upper < 24 ? 6 : upper < 48 ? 7 : 8;
    }
    static unsigned pCode(int upper) {
        static const unsigned first[] = {0x00, 0x20, 0x50, 0x90, 0xC0, 0xF0};
        static const int firstUpper[] = {0, 1, 4, 12, 24, 48};
        int l = pLen(upper);
        return first[l - 3] + unsigned(upper - firstUpper[l - 3]) * (1u << (8 - l));
    }

    void insertNode(int r) {
        int cmp = 1, p = N + 1 + text[r], i = 0;
        rson[r] = lson[r] = NIL;
        matchLength = 0;
        for (;;) {
            int& link = cmp >= 0 ? rson[p] : lson[p];
            if (link == NIL) {
                link = r;
                dad[r] = p;
                return;
            }
            p = link;
            for (i = 1; i < F; ++i)
                if ((cmp = text[r + i] - text[p + i]) != 0) break;
            if (i > 2) {
                if (i > matchLength) {
                    matchPosition = ((r - p) & (N - 1)) - 1;
                    if ((matchLength = i) >= F) break;
                }
                if (i == matchLength && ((r - p) & (N - 1)) - 1 < matchPosition)
                    matchPosition = ((r - p) & (N - 1)) - 1;
            }
        }
        dad[r] = dad[p];
        lson[r] = lson[p];
        rson[r] = rson[p];
        dad[lson[p]] = r;
        dad[rson[p]] = r;
        (rson[dad[p]] == p ? rson[dad[p]] : lson[dad[p]]) = r;
        dad[p] = NIL;
    }

    void deleteNode(int p) {
        if (dad[p] == NIL) return;
        int q;
        if (rson[p] == NIL) {
            q = lson[p];
        } else if (lson[p] == NIL) {
            q = rson[p];
        } else {
            q = lson[p];
            if (rson[q] != NIL) {
                while (rson[q] != NIL) q = rson[q];
                rson[dad[q]] = lson[q];
                dad[lson[q]] = dad[q];
                lson[q] = lson[p];
                dad[lson[p]] = q;
            }
            rson[q] = rson[p];
            dad[rson[p]] = q;
        }
        dad[q] = dad[p];
        (rson[dad[p]] == p ? rson[dad[p]] : lson[dad[p]]) = q;
        dad[p] = NIL;
    }

    void startHuff() {
        for (int i = 0; i < NChar; ++i) {
            freq[i] = 1;
            son[i] = i + T;
            prnt[i + T] = i;
        }
        for (int i = 0, j = NChar; j <= R; i += 2, ++j) {
            freq[j] = freq[i] + freq[i + 1];
            son[j] = i;
            prnt[i] = prnt[i + 1] = j;
        }
        freq[T] = 0xFFFF;
        prnt[R] = 0;
    }

    void reconst() {
        int leaves = 0;
        for (int i = 0; i < T; ++i)
            if (son[i] >= T) {
                freq[leaves] = (freq[i] + 1) / 2;
                son[leaves] = son[i];
                ++leaves;
            }
        for (int i = 0, j = NChar; j < T; i += 2, ++j) {
            unsigned f = freq[j] = freq[i] + freq[i + 1];
            int k = j - 1;
            while (f < freq[k]) --k;
            ++k;
            std::memmove(&freq[k + 1], &freq[k], (j - k) * sizeof freq[0]);
            freq[k] = f;
            std::memmove(&son[k + 1], &son[k], (j - k) * sizeof son[0]);
            son[k] = i;
        }
        for (int i = 0; i < T; ++i) {
            int k = son[i];
            if (k >= T)
                prnt[k] = i;
            else
                prnt[k] = prnt[k + 1] = i;
        }
    }

    void update(int c) {
        if (freq[R] == 0x8000) reconst();
        c = prnt[c + T];
        do {
            unsigned k = ++freq[c];
            int l = c + 1;
            if (k > freq[l]) {
                while (k > freq[++l]) {
                }
                --l;
                freq[c] = freq[l];
                freq[l] = k;
                int i = son[c];
                prnt[i] = l;
                if (i < T) prnt[i + 1] = l;
                int j = son[l];
                son[l] = i;
                prnt[j] = c;
                if (j < T) prnt[j + 1] = c;
                son[c] = j;
                c = l;
            }
        } while ((c = prnt[c]) != 0);
    }

    void encodeChar(int c) {
        std::vector<int> path;  // leaf side first
        for (int k = prnt[c + T]; k != R; k = prnt[k]) path.push_back(k & 1);
        for (auto it = path.rbegin(); it != path.rend(); ++it) putBits(1, unsigned(*it));
        update(c);
    }

    void putBits(int count, unsigned value) {
        for (int b = count - 1; b >= 0; --b) {
            acc = (acc << 1) | ((value >> b) & 1);
            if (++pending == 8) {
                out.push_back(uint8_t(acc));
                pending = 0;
            }
        }
    }

    uint8_t text[N + F - 1] = {};
    int lson[N + 1] = {}, rson[N + 257] = {}, dad[N + 1] = {};
    int matchPosition = 0, matchLength = 0;
    unsigned freq[T + 1] = {};
    int prnt[T + NChar] = {}, son[T] = {};
    Bytes out;
    unsigned acc = 0;
    int pending = 0;

public:
    ReferenceEncoder() {
        for (int i = N + 1; i <= N + 256; ++i) rson[i] = NIL;
        for (int i = 0; i < N; ++i) dad[i] = NIL;
    }
};

Bytes ReferenceEncode(const Bytes& in) { return std::make_unique<ReferenceEncoder>()->Encode(in); }

Bytes Of(std::string_view text) { return Bytes(text.begin(), text.end()); }

// A fixed generator, so every run tests the same data.
struct Lcg {
    uint32_t seed;
    uint32_t Next(uint32_t n) {
        seed = seed * 134775813u + 1;
        return uint32_t((uint64_t(seed) * n) >> 32);
    }
};

Bytes RandomBytes(std::size_t n, uint32_t seed, uint32_t alphabet = 256) {
    Lcg rng{seed};
    Bytes b(n);
    for (auto& x : b) x = uint8_t(rng.Next(alphabet));
    return b;
}

Bytes EnglishText(std::size_t n) {
    static const char* words[] = {
        "the",   "of",      "and",    "a",        "to",     "in",     "is",    "you",   "that",  "it",     "he",
        "was",   "for",     "on",     "are",      "as",     "with",   "his",   "they",  "I",     "at",     "be",
        "this",  "have",    "from",   "or",       "one",    "had",    "by",    "word",  "but",   "not",    "what",
        "all",   "were",    "we",     "when",     "your",   "can",    "said",  "there", "use",   "an",     "each",
        "which", "she",     "do",     "how",      "their",  "if",     "will",  "up",    "other", "about",  "out",
        "many",  "then",    "them",   "these",    "so",     "some",   "her",   "would", "make",  "like",   "him",
        "into",  "time",    "has",    "look",     "two",    "more",   "write", "go",    "see",   "number", "no",
        "way",   "could",   "people", "my",       "than",   "first",  "water", "been",  "call",  "who",    "oil",
        "its",   "now",     "find",   "long",     "down",   "day",    "did",   "get",   "come",  "made",   "may",
        "part",  "harvest", "grain",  "soldiers", "border", "general"};
    Lcg rng{12345};
    std::string text;
    while (text.size() < n) {
        std::size_t sentence = 4 + rng.Next(14);
        for (std::size_t w = 0; w < sentence; ++w) {
            std::string word = words[rng.Next(std::size(words))];
            if (w == 0) word[0] = char(std::toupper(word[0]));
            text += word;
            text += w + 1 == sentence ? ". " : rng.Next(8) == 0 ? ", " : " ";
        }
        if (rng.Next(6) == 0) text += "\r\n";
    }
    text.resize(n);
    return Of(text);
}

// Like the body of a saved game: long stretches of zero bytes, small counters,
// a map of owners in patches.
Bytes SavedGameLike(std::size_t n, uint32_t seed) {
    Lcg rng{seed};
    Bytes b(n, 0);
    for (std::size_t at = 0; at < n;) {
        std::size_t gap = rng.Next(400);
        std::size_t field = 1 + rng.Next(40);
        at += gap;
        for (std::size_t k = 0; k < field && at < n; ++k, ++at)
            b[at] = uint8_t(rng.Next(4) == 0 ? rng.Next(256) : rng.Next(8));
    }
    return b;
}

void ExpectRoundTripMatchingReference(const Bytes& in) {
    Bytes coded = LzhufEncode(in);
    ASSERT_EQ(coded, ReferenceEncode(in)) << "input of " << in.size() << " bytes";
    ASSERT_EQ(LzhufDecode(coded, in.size()), in) << "input of " << in.size() << " bytes";
}

TEST(Lzhuf, KnownStreams) {
    EXPECT_TRUE(LzhufEncode({}).empty());
    // 'A' (leaf 65 of the initial tree): the 9-bit code 111001101.
    EXPECT_EQ(LzhufEncode(Of("A")), (Bytes{0xE6, 0x80}));
    EXPECT_EQ(LzhufDecode(Bytes{0xE6, 0x80, 0xFF}, 1), Of("A")) << "bytes after the stream are ignored";
    // Four spaces match the spaces before the first byte: the length-4 symbol
    // 257 (code 10001101), then position 0 (code 000 and 000000).
    EXPECT_EQ(LzhufEncode(Of("    ")), (Bytes{0x8D, 0x00, 0x00}));
    EXPECT_EQ(LzhufDecode(Bytes{0x8D, 0x00, 0x00}, 4), Of("    "));
    EXPECT_TRUE(LzhufDecode({}, 0).empty());
}

TEST(Lzhuf, ShortInputsOfEveryLengthAroundTheLookAhead) {
    // The look-ahead is not filled at the start and empties at the end:
    // matches are cut to the bytes left while comparisons read stale ones.
    for (std::size_t n = 1; n <= 130; ++n) {
        ExpectRoundTripMatchingReference(RandomBytes(n, uint32_t(n), 3));
        ExpectRoundTripMatchingReference(Bytes(n, uint8_t(' ')));
        ExpectRoundTripMatchingReference(Bytes(n, 0));
    }
    ExpectRoundTripMatchingReference(Of("abcabcabcabcabc  abc  abc"));
}

TEST(Lzhuf, RandomAndStructuredData) {
    ExpectRoundTripMatchingReference(RandomBytes(70000, 1));
    ExpectRoundTripMatchingReference(RandomBytes(50000, 2, 4));
    ExpectRoundTripMatchingReference(RandomBytes(50000, 3, 20));
    ExpectRoundTripMatchingReference(SavedGameLike(90000, 4));
    Bytes counting(40000);
    for (std::size_t i = 0; i < counting.size(); ++i) counting[i] = uint8_t(i * 7 / 3);
    ExpectRoundTripMatchingReference(counting);
}

TEST(Lzhuf, LongRunsRebuildTheHuffmanTree) {
    // Half a million zero bytes are over 8000 matches of 60 bytes: the root's
    // frequency passes 0x8000 and the tree is rebuilt on the way.
    ExpectRoundTripMatchingReference(Bytes(500000, 0));
    ExpectRoundTripMatchingReference(Bytes(4096, 0xAA));
    Bytes runs;
    for (int i = 0; i < 3000; ++i) runs.insert(runs.end(), std::size_t(1 + i % 97), uint8_t(i % 5));
    ExpectRoundTripMatchingReference(runs);
}

TEST(Lzhuf, MegabyteOfText) {
    Bytes text = EnglishText(1 << 20);
    Bytes coded = LzhufEncode(text);
    EXPECT_LT(coded.size(), text.size() / 2);
    ASSERT_EQ(coded, ReferenceEncode(text));
    EXPECT_EQ(LzhufDecode(coded, text.size()), text);
}

TEST(Lzhuf, CodesLongerThanSixteenBitsAreWrittenWhole) {
    // Nine symbols, each counted just more often than the subtree two levels
    // below it weighs, stack a chain nine deep above the 305 unused leaves.
    std::vector<int> symbols;
    uint32_t below = 152, subtree = 305;
    for (int s = 0; s < 9; ++s) {
        uint32_t count = below + 1;
        symbols.insert(symbols.end(), count, 256 + s);
        below = subtree;
        subtree += count + 1;
    }
    LzhufHuffman tree;
    for (int s : symbols) tree.Update(s);
    ASSERT_GT(tree.CodeOf('x').length, 16);
    symbols.push_back('x');
    symbols.push_back('y');

    Bytes stream;
    LzhufWriter writer(stream);
    for (int s : symbols) writer.PutSymbol(s);
    writer.Finish();
    LzhufReader reader(stream);
    for (int s : symbols) ASSERT_EQ(reader.GetSymbol(), s);
}

TEST(Lzhuf, DamagedStreamsAreRefused) {
    Bytes text = EnglishText(5000);
    Bytes coded = LzhufEncode(text);
    // Every cut loses a bit of the last symbol.
    for (std::size_t cut = 0; cut < coded.size(); cut += 1 + cut / 8)
        EXPECT_THROW(LzhufDecode(std::span(coded).first(cut), text.size()), CompressError) << cut;
    EXPECT_THROW(LzhufDecode(coded, text.size() + 1), CompressError);
    // A length far beyond what the stream can code is refused before allocating.
    EXPECT_THROW(LzhufDecode(coded, std::size_t(1) << 60), CompressError);

    // Flipped bits decode to something else or fail cleanly.
    for (std::size_t at = 0; at < coded.size(); at += 37) {
        Bytes bad = coded;
        bad[at] ^= uint8_t(1u << (at % 8));
        try {
            EXPECT_EQ(LzhufDecode(bad, text.size()).size(), text.size());
        } catch (const CompressError&) {
        }
    }
}

TEST(Lzhuf, ForgedMatchesAreCheckedAgainstTheOutput) {
    auto stream = [](int length, unsigned position) {
        Bytes out;
        LzhufWriter writer(out);
        writer.PutSymbol(253 + length);
        writer.PutPosition(position);
        writer.Finish();
        return out;
    };
    // Back into the initial spaces is what the encoder does for leading blanks.
    EXPECT_EQ(LzhufDecode(stream(5, 4035), 5), Of("     "));
    // One further back is a ring position no byte was written to.
    EXPECT_THROW(LzhufDecode(stream(5, 4036), 5), CompressError);
    EXPECT_THROW(LzhufDecode(stream(5, 4095), 5), CompressError);
    // A match running past the declared length.
    EXPECT_THROW(LzhufDecode(stream(10, 0), 5), CompressError);
}

}  // namespace
}  // namespace korvant
