#include "save/lzrw1kh.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <string>

#include "save/compress_error.h"
#include "support/sample_data.h"

namespace korvant {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

std::vector<uint8_t> bytes(std::string_view s) { return {s.begin(), s.end()}; }

std::vector<uint8_t> compress(const std::vector<uint8_t>& chunk) {
    Lzrw1khCompressor coder;
    std::vector<uint8_t> block;
    const std::size_t length = coder.CompressChunk(chunk, block);
    EXPECT_EQ(length, block.size());
    return block;
}

std::vector<uint8_t> decompress(const std::vector<uint8_t>& block) {
    std::vector<uint8_t> out;
    const std::size_t produced = Lzrw1khDecompressBlock(block, out);
    EXPECT_EQ(produced, out.size());
    return out;
}

TEST(Lzrw1kh, ShortAndIncompressibleChunksAreStored) {
    EXPECT_THAT(compress({}), ElementsAre(128));
    EXPECT_THAT(compress(bytes("aaa")), ElementsAre(128, 'a', 'a', 'a'));

    const auto noise = testing::Noise(Lzrw1khChunkSize, 1);
    const auto block = compress(noise);
    ASSERT_EQ(block.size(), noise.size() + 1);
    EXPECT_EQ(block[0], 128);
    EXPECT_EQ(decompress(block), noise);
}

TEST(Lzrw1kh, LongRunIsOneRunItemAndALiteral) {
    const std::vector<uint8_t> same(4096, 'x');
    EXPECT_THAT(compress(same), ElementsAre(64, 0x80, 0x00, 0, 0x0F, 0xEF, 'x', 'x'));
    EXPECT_EQ(decompress(compress(same)), same);
}

TEST(Lzrw1kh, CopiesTakeTheSlotOfTheLatestLookup) {
    // The second copy finds position 3, stored by the first copy's lookup, not position 0.
    const auto text = bytes("abcabcabcabcabcabcabcabc");
    EXPECT_THAT(compress(text), ElementsAre(64, 0x18, 0x00, 'a', 'b', 'c', 0x00, 0x3F, 0x01, 0x20));
    EXPECT_EQ(decompress(compress(text)), text);
}

TEST(Lzrw1kh, FailedLookupStillTakesTheSlot) {
    // "XYZ" 5003 bytes back is out of reach; that lookup stores its own position, which
    // the third "XYZ" then copies from 10 bytes back. Runs leave the table alone.
    std::vector<uint8_t> in = bytes("XYZ");
    in.insert(in.end(), 5000, '.');
    for (char c : std::string_view("XYZ1234567XYZ")) in.push_back(uint8_t(c));
    const auto block = compress(in);
    ASSERT_EQ(block.size(), 26u);
    EXPECT_THAT(std::vector(block.begin(), block.begin() + 3), ElementsAre(64, 0x18, 0x01));
    EXPECT_THAT(std::vector(block.end() - 2, block.end()), ElementsAre(0x00, 0xA0));
    EXPECT_EQ(decompress(block), in);
}

TEST(Lzrw1kh, ControlWordIsReservedOnlyForASeventeenthItem) {
    std::vector<uint8_t> in(100, 0);
    for (int i = 0; i < 15; ++i) in.push_back(uint8_t('a' + i));
    auto block = compress(in);  // a run and 15 literals: 16 items under one word
    EXPECT_EQ(block.size(), 3u + 4 + 15);
    EXPECT_THAT(std::vector(block.begin(), block.begin() + 3), ElementsAre(64, 0x80, 0x00));

    in.push_back('z');
    block = compress(in);  // the seventeenth item brings a second word, its low bits zero
    ASSERT_EQ(block.size(), 3u + 4 + 15 + 2 + 1);
    EXPECT_THAT(std::vector(block.end() - 3, block.end()), ElementsAre(0x00, 0x00, 'z'));
    EXPECT_EQ(decompress(block), in);
}

TEST(Lzrw1kh, RoundTripsStructuredData) {
    for (std::size_t n : {1u, 2u, 3u, 17u, 18u, 19u, 4095u, 4096u, 4097u, 20000u, 32768u}) {
        for (const auto& in : {testing::Words(n, uint32_t(n)), testing::Sparse(n, uint32_t(n))}) {
            const auto block = compress(in);
            EXPECT_LE(block.size(), n + 1);
            EXPECT_EQ(decompress(block), in) << n;
        }
    }
}

TEST(Lzrw1kh, OverlappingCopyRepeatsBytes) {
    // A literal, then a copy of 5 from 1 back.
    EXPECT_THAT(decompress({64, 0x40, 0x00, 'q', 0x00, 0x12}), ElementsAreArray(bytes("qqqqqq")));
}

TEST(Lzrw1kh, MalformedBlocksAreRejected) {
    const std::vector<std::vector<uint8_t>> bad = {
        {},                                  // no kind byte
        {7, 1, 2, 3},                        // unknown kind
        {64, 0x80, 0x00, 0x00, 0x13},        // a copy before any output
        {64, 0x40, 0x00, 'a', 0x00, 0x23},   // a copy reaching 2 back with 1 byte produced
        {64, 0x80, 0x00, 0x01},              // copy cut off by the block's end
        {64, 0x80, 0x00, 0x00, 0x0F, 0xEF},  // run cut off
        {64, 0x00},                          // control word cut off
    };
    for (const auto& block : bad) {
        std::vector<uint8_t> out;
        EXPECT_THROW(Lzrw1khDecompressBlock(block, out), CompressError);
    }

    // Nine runs of 4095 overflow the chunk.
    std::vector<uint8_t> runs = {64, 0xFF, 0x80};
    for (int i = 0; i < 9; ++i) runs.insert(runs.end(), {0x00, 0x0F, 0xEF, 'r'});
    std::vector<uint8_t> out;
    EXPECT_THROW(Lzrw1khDecompressBlock(runs, out), CompressError);

    // A stored block longer than a chunk.
    std::vector<uint8_t> stored(Lzrw1khMaxBlockSize + 1, 0);
    stored[0] = 128;
    EXPECT_THROW(Lzrw1khDecompressBlock(stored, out), CompressError);
}

}  // namespace
}  // namespace korvant
