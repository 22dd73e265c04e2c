#include "wire/frame_reader.h"

namespace korvant::wire {

namespace {
bool KnownKind(std::uint8_t k) { return k >= std::uint8_t(FrameKind::Hello) && k <= std::uint8_t(FrameKind::Leave); }
}  // namespace

std::vector<std::uint8_t> EncodeFrame(FrameKind kind, std::span<const std::uint8_t> body) {
    std::uint32_t n = static_cast<std::uint32_t>(body.size() + 1);
    std::vector<std::uint8_t> out;
    out.reserve(n + 4);
    for (int i = 0; i < 4; ++i) out.push_back(static_cast<std::uint8_t>(n >> (8 * i)));
    out.push_back(static_cast<std::uint8_t>(kind));
    out.insert(out.end(), body.begin(), body.end());
    return out;
}

void FrameReader::Append(std::span<const std::uint8_t> bytes) {
    if (broken_) return;
    // Drop what was consumed before growing, so the buffer never holds more than one frame and a bit.
    if (start_ > 0 && (start_ == buffer_.size() || start_ > buffer_.size() / 2)) {
        buffer_.erase(buffer_.begin(), buffer_.begin() + static_cast<std::ptrdiff_t>(start_));
        start_ = 0;
    }
    buffer_.insert(buffer_.end(), bytes.begin(), bytes.end());
}

std::optional<Frame> FrameReader::Next() {
    if (broken_) return std::nullopt;
    std::size_t avail = buffer_.size() - start_;
    if (avail < 4) return std::nullopt;
    const std::uint8_t* p = buffer_.data() + start_;
    std::uint32_t n =
        std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
    // Judge the length before waiting for its bytes, so an oversized frame is refused at once.
    if (n == 0 || n > limit_ || (avail > 4 && !KnownKind(p[4]))) {
        broken_ = true;
        return std::nullopt;
    }
    if (avail - 4 < n) return std::nullopt;
    Frame f{static_cast<FrameKind>(p[4]), std::vector<std::uint8_t>(p + 5, p + 4 + n)};
    start_ += 4 + n;
    return f;
}

}  // namespace korvant::wire
