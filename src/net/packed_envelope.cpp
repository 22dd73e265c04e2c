#include "net/packed_envelope.h"

#include <algorithm>
#include <string>

#include "net/backup_block.h"
#include "net/block_bytes.h"
#include "net/full_state_block.h"
#include "save/compress_error.h"
#include "save/container.h"

namespace korvant {

namespace {

constexpr std::size_t HeaderSize = 8;
constexpr std::size_t ContainerLength = HeaderSize + 4;  // the container's uncompressed length

}  // namespace

std::size_t LargestPackedBlock() { return std::max(FullStateSize(0xFFFF), LargestBackup()); }

// The fast coder: a year's turn results of twenty states cost the server about a hundredth of the
// LZHUF coder's time (which took most of its year), for blocks under twice as large, which the
// network carries easily. Every receiver chooses the decoder by the container's magic, so each
// reads either.
std::vector<uint8_t> PackEnvelope(std::span<const uint8_t> block) { return PackBlock(block, TCompressMode::Fast); }

std::vector<uint8_t> UnpackEnvelope(std::span<const uint8_t> envelope) {
    if (envelope.size() < HeaderSize + ContainerHeaderSize) throw BlockError("packed envelope too short");
    const int32_t length = GetAt<int32_t>(envelope, 4);
    if (length < 0 || std::size_t(length) != envelope.size())
        throw BlockError("packed envelope says " + std::to_string(length) + " bytes, " +
                         std::to_string(envelope.size()) + " arrived");
    const int32_t unpacked = GetAt<int32_t>(envelope, ContainerLength);
    if (unpacked < 4 || std::size_t(unpacked) > LargestPackedBlock())
        throw BlockError("packed envelope promises " + std::to_string(unpacked) + " bytes");
    try {
        return UnpackBlock(envelope);
    } catch (const CompressError& e) {
        throw BlockError(std::string("packed envelope: ") + e.what());
    }
}

}  // namespace korvant
