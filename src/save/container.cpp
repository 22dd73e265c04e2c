#include "save/container.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <istream>
#include <ostream>
#include <string>
#include <string_view>

#include "save/compress_error.h"
#include "save/lzhuf.h"
#include "save/lzrw1_messages.h"

namespace korvant {
namespace {

namespace msg = lzrw1_messages;

constexpr std::array<uint8_t, 4> FastMagic = {'W', 'R', 'Z', 'L'};
constexpr std::array<uint8_t, 4> GoodMagic = {'!', 'H', 'Z', 'L'};

// LZHUF never doubles its input, so a good payload longer than this is not one we wrote.
constexpr std::size_t MaxGoodPayload = 2 * MaxContainerLength + 1024;
// Nor does one payload byte expand to more than 48 bytes (a 60-byte match costs at least
// 10 bits), so a length beyond this is refused before any room is made for it.
constexpr std::size_t MaxGoodExpansion = 64;

[[noreturn]] void fail(std::string_view message) { throw CompressError(std::string(message)); }

void putInt32(uint8_t* to, int32_t v) {
    const uint32_t u = uint32_t(v);
    for (int i = 0; i < 4; ++i) to[i] = uint8_t(u >> (8 * i));
}

int32_t getInt32(const uint8_t* from) {
    uint32_t u = 0;
    for (int i = 0; i < 4; ++i) u |= uint32_t(from[i]) << (8 * i);
    return int32_t(u);
}

// Where a decoder takes its bytes from: a memory block or a stream.
class Source {
public:
    virtual ~Source() = default;
    // Fills `to` with the next to.size() bytes; false when fewer are left.
    virtual bool Read(std::span<uint8_t> to) = 0;
    // Everything left, up to `limit` bytes; raises `tooLong` beyond it.
    virtual std::vector<uint8_t> Rest(std::size_t limit, std::string_view tooLong) = 0;
};

class MemorySource final : public Source {
public:
    explicit MemorySource(std::span<const uint8_t> data) : data_(data) {}
    bool Read(std::span<uint8_t> to) override {
        if (data_.size() - pos_ < to.size()) return false;
        std::memcpy(to.data(), data_.data() + pos_, to.size());
        pos_ += to.size();
        return true;
    }
    std::vector<uint8_t> Rest(std::size_t limit, std::string_view tooLong) override {
        if (data_.size() - pos_ > limit) fail(tooLong);
        std::vector<uint8_t> rest(data_.begin() + std::ptrdiff_t(pos_), data_.end());
        pos_ = data_.size();
        return rest;
    }

private:
    std::span<const uint8_t> data_;
    std::size_t pos_ = 0;
};

class StreamSource final : public Source {
public:
    explicit StreamSource(std::istream& in) : in_(in) {}
    bool Read(std::span<uint8_t> to) override {
        in_.read(reinterpret_cast<char*>(to.data()), std::streamsize(to.size()));
        return std::size_t(in_.gcount()) == to.size();
    }
    std::vector<uint8_t> Rest(std::size_t limit, std::string_view tooLong) override {
        std::vector<uint8_t> rest;
        std::array<char, 65536> buffer;
        while (in_) {
            in_.read(buffer.data(), buffer.size());
            const auto got = std::size_t(in_.gcount());
            if (rest.size() + got > limit) fail(tooLong);
            rest.insert(rest.end(), buffer.begin(), buffer.begin() + std::ptrdiff_t(got));
        }
        if (in_.bad()) fail(msg::ReadFailed);
        return rest;
    }

private:
    std::istream& in_;
};

std::vector<uint8_t> decodeFast(Source& source, std::size_t length) {
    std::vector<uint8_t> out;
    out.reserve(std::min<std::size_t>(length, std::size_t(128) << 10));  // grows as blocks prove their bytes
    std::vector<uint8_t> block(Lzrw1khMaxBlockSize);
    for (;;) {
        std::array<uint8_t, 2> lengthField;
        if (!source.Read(lengthField)) fail(msg::ReadFailed);
        const std::size_t blockLength = lengthField[0] | (std::size_t(lengthField[1]) << 8);
        if (blockLength > Lzrw1khMaxBlockSize) fail(msg::FastSizeMismatch);
        if (!source.Read(std::span(block).first(blockLength))) fail(msg::ReadFailed);
        const std::size_t produced = Lzrw1khDecompressBlock(std::span(block).first(blockLength), out);
        if (out.size() > length) fail(msg::FastSizeMismatch);
        if (produced < Lzrw1khChunkSize) break;
    }
    if (out.size() != length) fail(msg::FastSizeMismatch);
    return out;
}

std::vector<uint8_t> decodeGood(Source& source, std::size_t length) {
    const std::vector<uint8_t> payload = source.Rest(MaxGoodPayload, msg::GoodSizeMismatch);
    if (length > payload.size() * MaxGoodExpansion + MaxGoodExpansion) fail(msg::GoodSizeMismatch);
    std::vector<uint8_t> out = LzhufDecode(payload, length);
    if (out.size() != length) fail(msg::GoodSizeMismatch);
    return out;
}

std::vector<uint8_t> decode(Source& source) {
    std::array<uint8_t, ContainerHeaderSize> header;
    if (!source.Read(header)) fail(msg::ReadFailed);
    const bool fast = std::equal(FastMagic.begin(), FastMagic.end(), header.begin());
    const bool good = std::equal(GoodMagic.begin(), GoodMagic.end(), header.begin());
    if (!fast && !good) fail(msg::NoValidHeader);
    const int32_t length = getInt32(header.data() + 4);
    const std::string_view sizeMismatch = fast ? msg::FastSizeMismatch : msg::GoodSizeMismatch;
    if (length < 0 || std::size_t(length) > MaxContainerLength) fail(sizeMismatch);
    return fast ? decodeFast(source, std::size_t(length)) : decodeGood(source, std::size_t(length));
}

void writeAll(std::ostream& out, std::span<const uint8_t> bytes) {
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
    if (!out) fail(msg::WriteFailed);
}

}  // namespace

TCompressMode Tlzrw1::Advise(std::span<const uint8_t> input) {
    if (input.empty()) return TCompressMode::Fast;
    const auto chunk = input.first(std::min(input.size(), Lzrw1khChunkSize));
    std::vector<uint8_t> block;
    fast_.CompressChunk(chunk, block);
    const auto n = static_cast<long long>(chunk.size());
    const long long savedPercent = 100 * (n - static_cast<long long>(block.size())) / n;
    return savedPercent >= Threshold ? TCompressMode::Fast : TCompressMode::Good;
}

std::vector<uint8_t> Tlzrw1::Compress(std::span<const uint8_t> input) {
    std::vector<uint8_t> out;
    Compress(input, out);
    return out;
}

void Tlzrw1::Compress(std::span<const uint8_t> input, std::vector<uint8_t>& out) {
    if (input.size() > MaxContainerLength) fail(msg::InputTooLarge);
    const TCompressMode mode = CompressMode == TCompressMode::Auto ? Advise(input) : CompressMode;

    const std::size_t headerAt = out.size();
    out.resize(headerAt + ContainerHeaderSize);
    const auto& magic = mode == TCompressMode::Fast ? FastMagic : GoodMagic;
    std::copy(magic.begin(), magic.end(), out.begin() + std::ptrdiff_t(headerAt));
    putInt32(out.data() + headerAt + 4, int32_t(input.size()));

    if (mode == TCompressMode::Good) {
        const std::vector<uint8_t> payload = LzhufEncode(input);
        out.insert(out.end(), payload.begin(), payload.end());
        return;
    }
    // Every chunk a reader would read, down to the first short one: an input that is a
    // multiple of the chunk size ends with an empty chunk.
    out.reserve(out.size() + input.size() + input.size() / Lzrw1khChunkSize * 3 + 3);
    std::size_t pos = 0;
    for (;;) {
        const std::size_t n = std::min(Lzrw1khChunkSize, input.size() - pos);
        const std::size_t lengthAt = out.size();
        out.resize(lengthAt + 2);
        const std::size_t blockLength = fast_.CompressChunk(input.subspan(pos, n), out);
        out[lengthAt] = uint8_t(blockLength);
        out[lengthAt + 1] = uint8_t(blockLength >> 8);
        pos += n;
        if (n < Lzrw1khChunkSize) break;
    }
}

std::vector<uint8_t> Tlzrw1::Decompress(std::span<const uint8_t> container) {
    MemorySource source(container);
    return decode(source);
}

std::size_t Tlzrw1::Compress(std::istream& in, std::ostream& out) {
    const std::string_view readFailed =
        CompressMode == TCompressMode::Good ? msg::GoodChunkReadFailed : msg::FastChunkReadFailed;
    const std::istream::pos_type start = in.tellg();
    if (start == std::istream::pos_type(-1) || !in.seekg(0, std::ios::end)) fail(msg::NoInputSize);
    const std::istream::pos_type end = in.tellg();
    if (end == std::istream::pos_type(-1) || end < start) fail(msg::NoInputSize);
    if (!in.seekg(start)) fail(msg::InputSeekFailed);
    const auto size = std::size_t(end - start);
    if (size > MaxContainerLength) fail(msg::InputTooLarge);

    std::vector<uint8_t> input(size);
    in.read(reinterpret_cast<char*>(input.data()), std::streamsize(size));
    if (std::size_t(in.gcount()) != size) fail(readFailed);

    const std::vector<uint8_t> container = Compress(input);
    writeAll(out, container);
    return container.size();
}

std::size_t Tlzrw1::Decompress(std::istream& in, std::ostream& out) {
    StreamSource source(in);
    const std::vector<uint8_t> data = decode(source);
    writeAll(out, data);
    return data.size();
}

std::vector<uint8_t> PackBlock(std::span<const uint8_t> data, TCompressMode mode) {
    Tlzrw1 coder;
    coder.CompressMode = mode;
    std::vector<uint8_t> packed(8);
    coder.Compress(data, packed);
    putInt32(packed.data(), PackedBlockKind);
    putInt32(packed.data() + 4, int32_t(packed.size()));
    return packed;
}

std::vector<uint8_t> UnpackBlock(std::span<const uint8_t> packed) {
    if (packed.size() < 8) fail(msg::ReadFailed);
    Tlzrw1 coder;
    return coder.Decompress(packed.subspan(8));
}

}  // namespace korvant
