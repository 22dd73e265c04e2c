#pragma once
// Little-endian writing and bounds-checked reading of the session's wire messages.
#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace korvant::wire {

class ByteWriter {
public:
    void U8(std::uint8_t v) { out_.push_back(v); }
    void U16(std::uint16_t v) { Put(v, 2); }
    void U32(std::uint32_t v) { Put(v, 4); }
    void U64(std::uint64_t v) {
        U32(static_cast<std::uint32_t>(v));
        U32(static_cast<std::uint32_t>(v >> 32));
    }
    void Bytes(std::span<const std::uint8_t> b) { out_.insert(out_.end(), b.begin(), b.end()); }
    // A length byte and at most 255 bytes of text.
    void ShortText(std::string_view s) {
        std::size_t n = s.size() < 255 ? s.size() : 255;
        U8(static_cast<std::uint8_t>(n));
        out_.insert(out_.end(), s.begin(), s.begin() + static_cast<std::ptrdiff_t>(n));
    }
    std::vector<std::uint8_t>& Out() { return out_; }

private:
    void Put(std::uint32_t v, int n) {
        for (int i = 0; i < n; ++i) out_.push_back(static_cast<std::uint8_t>(v >> (8 * i)));
    }
    std::vector<std::uint8_t> out_;
};

// Reading past the end sets Failed and yields zeros, so a parser checks once at the end.
class ByteReader {
public:
    explicit ByteReader(std::span<const std::uint8_t> in) : in_(in) {}
    std::uint8_t U8() { return static_cast<std::uint8_t>(Get(1)); }
    std::uint16_t U16() { return static_cast<std::uint16_t>(Get(2)); }
    std::uint32_t U32() { return Get(4); }
    std::uint64_t U64() {
        std::uint64_t low = Get(4);
        return low | std::uint64_t(Get(4)) << 32;
    }
    std::string ShortText() {
        std::size_t n = U8();
        if (!Has(n)) return {};
        std::string s(reinterpret_cast<const char*>(in_.data() + pos_), n);
        pos_ += n;
        return s;
    }
    std::span<const std::uint8_t> Rest() {
        auto r = in_.subspan(pos_);
        pos_ = in_.size();
        return r;
    }
    bool Failed() const { return failed_; }
    // Everything read and nothing left over.
    bool Done() const { return !failed_ && pos_ == in_.size(); }

private:
    bool Has(std::size_t n) {
        if (failed_ || in_.size() - pos_ < n) failed_ = true;
        return !failed_;
    }
    std::uint32_t Get(int n) {
        if (!Has(static_cast<std::size_t>(n))) return 0;
        std::uint32_t v = 0;
        for (int i = 0; i < n; ++i) v |= std::uint32_t(in_[pos_ + static_cast<std::size_t>(i)]) << (8 * i);
        pos_ += static_cast<std::size_t>(n);
        return v;
    }
    std::span<const std::uint8_t> in_;
    std::size_t pos_ = 0;
    bool failed_ = false;
};

}  // namespace korvant::wire
