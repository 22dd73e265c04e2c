#include "save/container.h"

#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "save/compress_error.h"
#include "save/lzrw1_messages.h"
#include "support/sample_data.h"

namespace korvant {
namespace {

using ::testing::ElementsAre;
namespace msg = lzrw1_messages;

std::vector<uint8_t> pack(TCompressMode mode, const std::vector<uint8_t>& data) {
    Tlzrw1 coder;
    coder.CompressMode = mode;
    return coder.Compress(data);
}

std::vector<uint8_t> unpack(const std::vector<uint8_t>& container) {
    Tlzrw1 coder;
    return coder.Decompress(container);
}

// The message a failed decompression raises.
std::string failure(const std::vector<uint8_t>& container) {
    try {
        unpack(container);
    } catch (const CompressError& e) {
        return e.what();
    }
    return "no failure";
}

std::string text(std::span<const uint8_t> b) { return {b.begin(), b.end()}; }

TEST(Container, EmptyInputIsAHeaderAndOneStoredBlock) {
    const auto fast = pack(TCompressMode::Fast, {});
    EXPECT_THAT(fast, ElementsAre('W', 'R', 'Z', 'L', 0, 0, 0, 0, 1, 0, 128));
    EXPECT_TRUE(unpack(fast).empty());

    const auto good = pack(TCompressMode::Good, {});
    EXPECT_EQ(text(std::span(good).first(8)), std::string("!HZL\0\0\0\0", 8));
    EXPECT_TRUE(unpack(good).empty());
}

TEST(Container, WholeChunksEndWithAnEmptyBlock) {
    const auto data = testing::Words(Lzrw1khChunkSize, 3);
    const auto fast = pack(TCompressMode::Fast, data);
    EXPECT_THAT(std::vector(fast.begin() + 4, fast.begin() + 8), ElementsAre(0x00, 0x80, 0, 0));
    const std::size_t first = fast[8] | (fast[9] << 8);
    ASSERT_EQ(fast.size(), 8 + 2 + first + 3);
    EXPECT_THAT(std::vector(fast.end() - 3, fast.end()), ElementsAre(1, 0, 128));
    EXPECT_EQ(unpack(fast), data);
}

TEST(Container, RoundTripsInBothModes) {
    for (TCompressMode mode : {TCompressMode::Fast, TCompressMode::Good}) {
        for (std::size_t n : {1u, 2u, 3u, 61u, 4096u, 32767u, 32769u, 100000u}) {
            for (const auto& data :
                 {testing::Noise(n, 7), testing::Words(n, 8), testing::Sparse(n, 9), std::vector<uint8_t>(n, 0)}) {
                EXPECT_EQ(unpack(pack(mode, data)), data) << int(mode) << " " << n;
            }
        }
    }
}

TEST(Container, IdenticalInputGivesIdenticalOutput) {
    const auto data = testing::Words(70000, 4);
    Tlzrw1 coder;  // one component: its tables carry nothing from one input to the next
    coder.CompressMode = TCompressMode::Fast;
    const auto first = coder.Compress(testing::Sparse(50000, 5));
    EXPECT_EQ(coder.Compress(data), pack(TCompressMode::Fast, data));
    EXPECT_EQ(coder.Compress(testing::Sparse(50000, 5)), first);
}

TEST(Container, DamagedContainersFailWithTheirMessages) {
    const auto data = testing::Sparse(70000, 6);
    auto fast = pack(TCompressMode::Fast, data);
    auto good = pack(TCompressMode::Good, data);

    auto longer = fast;
    longer[4] += 1;
    EXPECT_EQ(failure(longer), msg::FastSizeMismatch);
    auto shorter = good;
    shorter[4] -= 1;
    EXPECT_EQ(failure(shorter), msg::GoodSizeMismatch);

    for (auto* c : {&fast, &good}) {
        auto negative = *c;
        negative[7] = 0x80;
        EXPECT_THAT(failure(negative), ::testing::HasSubstr("Original and compressed sizes do not match"));
        auto absurd = *c;
        absurd[7] = 0x7F;
        EXPECT_THAT(failure(absurd), ::testing::HasSubstr("Original and compressed sizes do not match"));
    }

    auto magic = fast;
    magic[0] = 'X';
    EXPECT_EQ(failure(magic), msg::NoValidHeader);
    EXPECT_EQ(failure({'W', 'R', 'Z'}), msg::ReadFailed);
    EXPECT_EQ(failure(std::vector(fast.begin(), fast.end() - 1)), msg::ReadFailed);
    EXPECT_NE(failure(std::vector(good.begin(), good.begin() + 20)), "no failure");

    // A block length beyond the largest block.
    EXPECT_EQ(failure({'W', 'R', 'Z', 'L', 1, 0, 0, 0, 0xFF, 0xFF}), msg::FastSizeMismatch);
}

TEST(Container, StreamsAreReadFromTheirPositionAndLeftAfterTheContainer) {
    const auto data = testing::Words(40000, 2);
    std::stringstream in("prefix" + text(data));
    in.seekg(6);
    std::stringstream packed;
    packed << "head";
    Tlzrw1 coder;
    coder.CompressMode = TCompressMode::Fast;
    const std::size_t written = coder.Compress(in, packed);
    packed << "tail";
    EXPECT_EQ(written, packed.str().size() - 8);

    packed.seekg(4);
    std::stringstream out;
    EXPECT_EQ(coder.Decompress(packed, out), data.size());
    EXPECT_EQ(out.str(), text(data));
    std::string rest;
    packed >> rest;
    EXPECT_EQ(rest, "tail");
}

TEST(Container, FailedStreamWriteIsReported) {
    std::stringstream in("some data");
    std::ostringstream out;
    out.setstate(std::ios::badbit);
    Tlzrw1 coder;
    coder.CompressMode = TCompressMode::Fast;
    try {
        coder.Compress(in, out);
        ADD_FAILURE();
    } catch (const CompressError& e) {
        EXPECT_EQ(e.what(), msg::WriteFailed);
    }
}

TEST(Container, AutoPicksFastForRedundantData) {
    Tlzrw1 coder;
    EXPECT_EQ(coder.Advise(std::vector<uint8_t>(50000, 0)), TCompressMode::Fast);
    EXPECT_EQ(coder.Advise(testing::Noise(50000, 1)), TCompressMode::Good);
    coder.CompressMode = TCompressMode::Auto;
    const auto container = coder.Compress(testing::Noise(100, 1));
    EXPECT_EQ(text(std::span(container).first(4)), "!HZL");
}

TEST(PackedBlock, CarriesKindAndTotalLength) {
    const auto data = testing::Sparse(90792, 11);
    const auto packed = PackBlock(data);
    EXPECT_THAT(std::vector(packed.begin(), packed.begin() + 4), ElementsAre(0xE8, 0x03, 0, 0));
    const uint32_t total = packed[4] | (packed[5] << 8) | (packed[6] << 16) | (uint32_t(packed[7]) << 24);
    EXPECT_EQ(total, packed.size());
    EXPECT_EQ(text(std::span(packed).subspan(8, 4)), "!HZL");
    EXPECT_EQ(UnpackBlock(packed), data);
    EXPECT_THROW(UnpackBlock(std::vector<uint8_t>(5, 0)), CompressError);
}

}  // namespace
}  // namespace korvant
