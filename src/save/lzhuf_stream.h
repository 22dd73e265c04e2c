#pragma once
// The bit stream of the LZHUF coder: symbols through the adaptive Huffman
// tree, match positions (0 to 4095) as a fixed prefix code of their upper six
// bits followed by their lower six bits. Bits go most significant first; the
// last byte is padded with zero bits.
#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

#include "save/compress_error.h"
#include "save/lzhuf_huffman.h"
#include "save/lzrw1_messages.h"

namespace korvant {

namespace lzhuf_detail {

// The upper six bits of a position take codes of 3 to 8 bits: one value gets
// 3 bits, the next three 4 bits, then 8, 12, 24 and 16 values the longer ones,
// assigned in canonical order (each code the successor of the previous one).
struct PositionCodes {
    std::array<uint8_t, 64> length{};
    std::array<uint8_t, 64> code{};  // left-aligned in 8 bits
    // By the first 8 bits of a position's code: its upper six bits and code length.
    std::array<uint8_t, 256> upperOfByte{};
    std::array<uint8_t, 256> lengthOfByte{};
};

constexpr PositionCodes MakePositionCodes() {
    constexpr int countOfLength[] = {1, 3, 8, 12, 24, 16};
    PositionCodes t;
    unsigned next = 0;
    int upper = 0;
    for (int len = 3; len <= 8; ++len) {
        for (int n = 0; n < countOfLength[len - 3]; ++n, ++upper, ++next) {
            t.length[upper] = uint8_t(len);
            t.code[upper] = uint8_t(next << (8 - len));
            for (unsigned b = 0; b < 1u << (8 - len); ++b) {
                t.upperOfByte[t.code[upper] + b] = uint8_t(upper);
                t.lengthOfByte[t.code[upper] + b] = uint8_t(len);
            }
        }
        next <<= 1;
    }
    return t;
}

inline constexpr PositionCodes Positions = MakePositionCodes();
static_assert(Positions.code[63] == 0xFF && Positions.length[63] == 8, "the position code is complete");

}  // namespace lzhuf_detail

class LzhufWriter {
public:
    explicit LzhufWriter(std::vector<uint8_t>& out) : out_(out) {}

    void PutSymbol(int symbol) {
        LzhufHuffman::Code code = tree_.CodeOf(symbol);
        put(code.bits, code.length);
        tree_.Update(symbol);
    }

    void PutPosition(unsigned position) {
        unsigned upper = position >> 6;
        unsigned length = lzhuf_detail::Positions.length[upper];
        unsigned prefix = lzhuf_detail::Positions.code[upper] >> (8 - length);
        put((prefix << 6) | (position & 0x3F), int(length) + 6);
    }

    // Writes out the last partial byte.
    void Finish() {
        if (pending_ > 0) out_.push_back(uint8_t(bits_ << (8 - pending_)));
        pending_ = 0;
    }

private:
    // `length` is at most 32; the low `pending_` bits of `bits_` wait for a full byte.
    void put(uint64_t value, int length) {
        bits_ = (bits_ << length) | value;
        pending_ += length;
        while (pending_ >= 8) {
            pending_ -= 8;
            out_.push_back(uint8_t(bits_ >> pending_));
        }
    }

    std::vector<uint8_t>& out_;
    LzhufHuffman tree_;
    uint64_t bits_ = 0;
    int pending_ = 0;
};

// Reads a stream that may be cut short or forged: asking for a bit past its
// end raises CompressError.
class LzhufReader {
public:
    explicit LzhufReader(std::span<const uint8_t> in) : next_(in.data()), end_(in.data() + in.size()) {}

    int GetSymbol() {
        int symbol = tree_.DecodeSymbol([this] { return bit(); });
        tree_.Update(symbol);
        return symbol;
    }

    unsigned GetPosition() {
        unsigned first = bits(8);
        unsigned upper = lzhuf_detail::Positions.upperOfByte[first];
        int rest = lzhuf_detail::Positions.lengthOfByte[first] - 2;
        unsigned low = (first << rest) | bits(rest);
        return (upper << 6) | (low & 0x3F);
    }

private:
    // Tops up the bit buffer (the pending bits at its top) from the input.
    void refill() {
        while (pending_ <= 56 && next_ != end_) {
            bits_ |= uint64_t(*next_++) << (56 - pending_);
            pending_ += 8;
        }
    }

    [[noreturn]] static void truncated() { throw CompressError(std::string(lzrw1_messages::GoodSizeMismatch)); }

    int bit() {
        if (pending_ == 0) {
            refill();
            if (pending_ == 0) truncated();
        }
        int b = int(bits_ >> 63);
        bits_ <<= 1;
        --pending_;
        return b;
    }

    // 1 to 8 bits.
    unsigned bits(int count) {
        if (pending_ < count) {
            refill();
            if (pending_ < count) truncated();
        }
        unsigned v = unsigned(bits_ >> (64 - count));
        bits_ <<= count;
        pending_ -= count;
        return v;
    }

    const uint8_t* next_;
    const uint8_t* end_;
    LzhufHuffman tree_;
    uint64_t bits_ = 0;
    int pending_ = 0;
};

}  // namespace korvant
