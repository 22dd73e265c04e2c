#include "save/lzhuf.h"

#include <algorithm>
#include <memory>
#include <string>

#include "save/compress_error.h"
#include "save/lzhuf_match_tree.h"
#include "save/lzhuf_stream.h"
#include "save/lzrw1_messages.h"

namespace korvant {
namespace {

constexpr int N = LzhufMatchTree::RingSize;
constexpr int F = LzhufMatchTree::LookAhead;
constexpr int Threshold = LzhufMatchTree::Threshold;
// A match of length m is coded as the symbol MatchSymbolBase + m.
constexpr int MatchSymbolBase = 256 - Threshold - 1;

[[noreturn]] void malformed() { throw CompressError(std::string(lzrw1_messages::GoodSizeMismatch)); }

}  // namespace

std::vector<uint8_t> LzhufEncode(std::span<const uint8_t> in) {
    std::vector<uint8_t> out;
    if (in.empty()) return out;
    out.reserve(in.size() / 2 + 16);

    auto tree = std::make_unique<LzhufMatchTree>();
    LzhufWriter writer(out);
    std::size_t next = 0;  // the next input byte to enter the ring

    int s = 0;      // the oldest ring position, overwritten next
    int r = N - F;  // the position being coded
    int len = 0;    // bytes of input in the look-ahead
    for (; len < F && next < in.size(); ++len) tree->SetByte(r + len, in[next++]);
    // The spaces just before the first byte can be matched from the start.
    for (int i = 1; i <= F; ++i) tree->Insert(r - i);
    tree->Insert(r);

    do {
        int matchLength = std::min(tree->MatchLength(), len);
        if (matchLength <= Threshold) {
            matchLength = 1;
            writer.PutSymbol(in[next - len]);
        } else {
            writer.PutSymbol(MatchSymbolBase + matchLength);
            writer.PutPosition(tree->MatchPosition());
        }
        // Every position the match covered enters the trees. Near the end the
        // look-ahead shrinks and its stale bytes stay in the ring, where later
        // comparisons still read them.
        for (int i = 0; i < matchLength; ++i) {
            tree->Remove(s);
            bool more = next < in.size();
            if (more) tree->SetByte(s, in[next++]);
            s = (s + 1) & (N - 1);
            r = (r + 1) & (N - 1);
            if (more || --len > 0) tree->Insert(r);
        }
    } while (len > 0);
    writer.Finish();
    return out;
}

std::vector<uint8_t> LzhufDecode(std::span<const uint8_t> in, std::size_t outLength) {
    // No code yields more than 6 bytes a bit (a match of 60 bytes takes at
    // least a 1-bit symbol and a 9-bit position), which bounds what a stream
    // this long can hold before anything is allocated.
    if (outLength / 6 > in.size() * 8) malformed();
    std::vector<uint8_t> out(outLength);
    LzhufReader reader(in);
    std::size_t count = 0;
    while (count < outLength) {
        int symbol = reader.GetSymbol();
        if (symbol < 256) {
            out[count++] = uint8_t(symbol);
            continue;
        }
        std::size_t distance = reader.GetPosition() + 1;
        std::size_t length = std::size_t(symbol - MatchSymbolBase);
        if (length > outLength - count) malformed();
        // Before the first byte the ring holds N - F spaces; what lies beyond
        // them was never written.
        if (distance > count + (N - F)) malformed();
        std::size_t end = count + length;
        if (distance > count) {
            std::size_t spaces = std::min(distance - count, length);
            std::fill_n(out.begin() + std::ptrdiff_t(count), spaces, uint8_t(' '));
            count += spaces;
        }
        // Byte by byte: a match may overlap the bytes it is producing.
        for (; count < end; ++count) out[count] = out[count - distance];
    }
    return out;
}

}  // namespace korvant
