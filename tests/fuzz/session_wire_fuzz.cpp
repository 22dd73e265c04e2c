// The session's frame reader and handshake parsers on arbitrary bytes, as a hostile peer would
// send them: fed in pieces of varying size, every frame read is parsed as what its kind says, and
// what a parser accepts must write back to a form it reads the same way.
#include <cstdint>
#include <cstdlib>
#include <span>

#include "wire/discovery_messages.h"
#include "wire/frame_reader.h"
#include "wire/handshake.h"

namespace {

using namespace korvant::wire;

void Check(bool ok) {
    if (!ok) std::abort();
}

void ParseFrame(const Frame& f, const Identity& ours) {
    switch (f.Kind) {
        case FrameKind::Hello: {
            Hello h;
            if (ParseHello(f.Body, ours, h) == Verdict::Accepted) {
                Hello again;
                Check(ParseHello(EncodeHello(h), ours, again) == Verdict::Accepted && again.Id == h.Id &&
                      again.Name == h.Name);
            }
            break;
        }
        case FrameKind::Welcome:
            if (auto w = ParseWelcome(f.Body, ours);
                w && w->Answer != Verdict::OtherProgram && w->Answer != Verdict::OtherVersion) {
                auto again = ParseWelcome(EncodeWelcome(*w), ours);
                Check(again && again->Players.size() == w->Players.size() && again->Players.size() < 20);
            }
            break;
        case FrameKind::Announce:
            if (auto e = ParseAnnounce(f.Body)) Check(ParseAnnounce(EncodeAnnounce(*e))->Id == e->Id);
            break;
        default: break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, std::size_t size) {
    Identity ours;
    std::span<const std::uint8_t> in(data, size);
    (void)IsSearch(in, ours);
    if (auto a = ParseAdvert(in, ours)) Check(ParseAdvert(EncodeAdvert(ours, *a), ours).has_value());
    if (in.empty()) return 0;

    // The first byte chooses the piece size, as TCP cuts a stream where it likes.
    std::size_t piece = 1 + in[0] % 64;
    in = in.subspan(1);
    FrameReader reader(in.size() % 2 ? MaxFrameBytes : 16u << 10);
    std::size_t total = 0;
    while (!in.empty() && !reader.Broken()) {
        std::size_t n = std::min(piece, in.size());
        reader.Append(in.first(n));
        in = in.subspan(n);
        while (auto f = reader.Next()) {
            total += f->Body.size() + 5;
            ParseFrame(*f, ours);
        }
    }
    Check(total <= size);
    return 0;
}
