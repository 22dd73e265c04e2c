#include "save/lzrw1kh.h"

#include <algorithm>
#include <bit>
#include <cstring>
#include <string>

#include "save/compress_error.h"
#include "save/lzrw1_messages.h"

namespace korvant {
namespace {

constexpr uint16_t EmptySlot = 0xFFFF;
constexpr std::size_t MaxRun = 4095;
constexpr std::size_t MinRun = 16;
constexpr std::size_t MaxCopy = 18;
constexpr std::size_t MinCopy = 3;
constexpr std::size_t Window = 4096;
constexpr std::size_t ItemsPerControlWord = 16;

uint64_t load64(const uint8_t* p) {
    uint64_t v;
    std::memcpy(&v, p, sizeof v);
    return v;
}

// Number of equal bytes at a and b, at most `limit`. Reads only below a + limit and b + limit.
[[gnu::always_inline]] inline std::size_t equalBytes(const uint8_t* a, const uint8_t* b, std::size_t limit) {
    std::size_t k = 0;
    while (k + 8 <= limit) {
        uint64_t diff = load64(a + k) ^ load64(b + k);
        if (diff != 0) return k + std::size_t(std::countr_zero(diff) >> 3);
        k += 8;
    }
    while (k < limit && a[k] == b[k]) ++k;
    return k;
}

unsigned hashOf(const uint8_t* p) {
    uint32_t x = ((((uint32_t(p[0]) << 4) ^ p[1]) << 4) ^ p[2]);
    return ((x * 40543u) >> 4) & 0xFFF;
}

[[noreturn]] void malformed() { throw CompressError(std::string(lzrw1_messages::FastSizeMismatch)); }

}  // namespace

std::size_t Lzrw1khCompressor::CompressChunk(std::span<const uint8_t> chunk, std::vector<uint8_t>& out) {
    const uint8_t* src = chunk.data();
    const std::size_t n = chunk.size();
    const std::size_t start = out.size();

    // Room for the worst case before the size test stops the loop: n bytes, a new control word and a run.
    out.resize(start + n + 8);
    uint8_t* dst = out.data() + start;

    hash_.fill(EmptySlot);
    dst[0] = Lzrw1khCompressedKind;
    std::size_t size = 3;
    std::size_t controlAt = 1;
    unsigned control = 0;
    std::size_t items = 0;
    std::size_t pos = 0;

    while (pos < n && size <= n) {
        if (items == ItemsPerControlWord) {
            dst[controlAt] = uint8_t(control >> 8);
            dst[controlAt + 1] = uint8_t(control);
            controlAt = size;
            size += 2;
            control = 0;
            items = 0;
        }
        ++items;
        const std::size_t left = n - pos;

        // Most positions start no run at all; the first byte tells.
        const bool mayRun = left >= MinRun && src[pos + 1] == src[pos];
        const std::size_t run = mayRun ? 1 + equalBytes(src + pos + 1, src + pos, std::min(MaxRun, left) - 1) : 1;
        if (run >= MinRun) {
            const std::size_t code = run - MinRun;
            dst[size] = 0;
            dst[size + 1] = uint8_t(code >> 8);
            dst[size + 2] = uint8_t(code);
            dst[size + 3] = src[pos];
            size += 4;
            control = (control << 1) | 1;
            pos += run;
            continue;
        }

        // Fewer than three bytes left can only be literals.
        if (left >= MinCopy) {
            const unsigned h = hashOf(src + pos);
            const uint16_t candidate = hash_[h];
            hash_[h] = uint16_t(pos);
            if (candidate != EmptySlot && pos - candidate < Window) {
                const std::size_t len = equalBytes(src + candidate, src + pos, std::min(MaxCopy, left));
                if (len >= MinCopy) {
                    const unsigned word = unsigned((pos - candidate) << 4) | unsigned(len - MinCopy);
                    dst[size] = uint8_t(word >> 8);
                    dst[size + 1] = uint8_t(word);
                    size += 2;
                    control = (control << 1) | 1;
                    pos += len;
                    continue;
                }
            }
        }
        dst[size++] = src[pos++];
        control <<= 1;
    }

    if (size > n) {
        dst[0] = Lzrw1khStoredKind;
        if (n != 0) std::memcpy(dst + 1, src, n);
        size = n + 1;
    } else {
        control <<= (ItemsPerControlWord - items);
        dst[controlAt] = uint8_t(control >> 8);
        dst[controlAt + 1] = uint8_t(control);
    }
    out.resize(start + size);
    return size;
}

std::size_t Lzrw1khDecompressBlock(std::span<const uint8_t> block, std::vector<uint8_t>& out) {
    const std::size_t length = block.size();
    if (length == 0 || length > Lzrw1khMaxBlockSize) malformed();
    const uint8_t* in = block.data();
    const std::size_t start = out.size();

    if (in[0] == Lzrw1khStoredKind) {
        out.insert(out.end(), in + 1, in + length);
        return length - 1;
    }
    if (in[0] != Lzrw1khCompressedKind) malformed();

    // Slack behind the chunk lets a copy move a fixed 18 bytes whatever its length.
    out.resize(start + Lzrw1khChunkSize + MaxCopy);
    uint8_t* dst = out.data() + start;
    std::size_t produced = 0;
    std::size_t pos = 1;
    unsigned control = 0;
    std::size_t items = ItemsPerControlWord;

    while (pos < length) {
        if (items == ItemsPerControlWord) {
            if (length - pos < 2) malformed();
            control = (unsigned(in[pos]) << 8) | in[pos + 1];
            pos += 2;
            items = 0;
            continue;
        }
        ++items;
        const bool coded = control & 0x8000;
        control <<= 1;
        if (!coded) {
            if (produced == Lzrw1khChunkSize) malformed();
            dst[produced++] = in[pos++];
            continue;
        }
        if (length - pos < 2) malformed();
        const unsigned word = (unsigned(in[pos]) << 8) | in[pos + 1];
        const std::size_t distance = word >> 4;
        if (distance != 0) {
            const std::size_t len = (word & 0xF) + MinCopy;
            pos += 2;
            if (distance > produced || len > Lzrw1khChunkSize - produced) malformed();
            uint8_t* to = dst + produced;
            const uint8_t* from = to - distance;
            if (distance >= MaxCopy) {
                std::memcpy(to, from, MaxCopy);
            } else {
                for (std::size_t k = 0; k < len; ++k) to[k] = from[k];  // overlapping: repeats bytes
            }
            produced += len;
        } else {
            if (length - pos < 4) malformed();
            const std::size_t len = ((std::size_t(in[pos + 1]) << 8) | in[pos + 2]) + MinRun;
            const uint8_t value = in[pos + 3];
            pos += 4;
            if (len > Lzrw1khChunkSize - produced) malformed();
            std::memset(dst + produced, value, len);
            produced += len;
        }
    }
    out.resize(start + produced);
    return produced;
}

}  // namespace korvant
