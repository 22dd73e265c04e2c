// The block coder against a plain encoder written from the block format, byte for byte, on
// input long and varied enough that the choice of hash decides which copies are found.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <utility>
#include <vector>

#include "save/lzrw1kh.h"
#include "support/sample_data.h"

namespace korvant {
namespace {

// One position at a time, no shortcuts: runs of 16 or more first, then the latest position
// with the same hash of three bytes if it is in reach, else a literal.
std::vector<uint8_t> ReferenceBlock(const std::vector<uint8_t>& in) {
    const std::size_t n = in.size();
    std::vector<int> table(4096, -1);
    std::vector<uint8_t> out = {64, 0, 0};
    std::size_t control = 1, pos = 0;
    unsigned bits = 0, items = 0;
    auto item = [&](unsigned bit, std::initializer_list<uint8_t> bytes) {
        if (items == 16) {
            out[control] = uint8_t(bits >> 8);
            out[control + 1] = uint8_t(bits);
            control = out.size();
            out.insert(out.end(), {0, 0});
            bits = items = 0;
        }
        bits = bits << 1 | bit;
        ++items;
        out.insert(out.end(), bytes);
    };
    while (pos < n && out.size() <= n) {
        std::size_t run = 0;
        while (run < 4095 && pos + run < n && in[pos + run] == in[pos]) ++run;
        if (run >= 16) {
            item(1, {0, uint8_t((run - 16) >> 8), uint8_t(run - 16), in[pos]});
            pos += run;
            continue;
        }
        std::size_t length = 0, distance = 0;
        if (pos + 3 <= n) {
            const unsigned key = ((unsigned(in[pos]) << 4 ^ in[pos + 1]) << 4) ^ in[pos + 2];
            const unsigned h = (key * 40543u >> 4) & 0xFFF;
            const int candidate = std::exchange(table[h], int(pos));
            if (candidate >= 0 && pos - std::size_t(candidate) < 4096) {
                distance = pos - std::size_t(candidate);
                while (length < 18 && pos + length < n && in[std::size_t(candidate) + length] == in[pos + length])
                    ++length;
            }
        }
        if (length >= 3) {
            const unsigned word = unsigned(distance << 4 | (length - 3));
            item(1, {uint8_t(word >> 8), uint8_t(word)});
            pos += length;
        } else {
            item(0, {in[pos++]});
        }
    }
    if (out.size() > n) {
        out = {128};
        out.insert(out.end(), in.begin(), in.end());
    } else {
        bits <<= 16 - items;
        out[control] = uint8_t(bits >> 8);
        out[control + 1] = uint8_t(bits);
    }
    return out;
}

// Prose, sparse records, noise, runs and prose again: about 9 KB.
std::vector<uint8_t> VariedData() {
    std::vector<uint8_t> data;
    for (const auto& part : {testing::Words(3000, 5), testing::Sparse(2000, 6), testing::Noise(700, 7),
                             std::vector<uint8_t>(300, 0x55), testing::Words(3000, 8)}) {
        data.insert(data.end(), part.begin(), part.end());
    }
    for (std::size_t i = 0; i < data.size(); i += 97) data[i] ^= uint8_t(i);  // keep the prose from repeating too well
    return data;
}

TEST(Lzrw1khReference, BlocksMatchAPlainEncoderByteForByte) {
    const auto data = VariedData();
    for (std::size_t n : {std::size_t(1500), std::size_t(4100), data.size()}) {
        const std::vector<uint8_t> in(data.begin(), data.begin() + std::ptrdiff_t(n));
        const auto expected = ReferenceBlock(in);
        ASSERT_EQ(expected[0], 64) << "the sample should compress";

        std::vector<uint8_t> block;
        Lzrw1khCompressor().CompressChunk(in, block);
        ASSERT_EQ(block.size(), expected.size()) << n;
        EXPECT_TRUE(std::equal(block.begin(), block.end(), expected.begin())) << n;

        std::vector<uint8_t> back;
        Lzrw1khDecompressBlock(expected, back);
        EXPECT_EQ(back, in) << "the reference writes what the decoder reads";
    }
}

}  // namespace
}  // namespace korvant
