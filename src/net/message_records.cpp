#include "net/message_records.h"

#include <cstring>

namespace korvant {

namespace {

TMesRec clean(const TMesRec& m) {
    TMesRec out;
    std::memset(&out, 0, sizeof out);
    out.Kind = m.Kind;
    out.Gos = m.Gos;
    out.Color = m.Color;
    out.Text.setRaw(m.Text.raw());
    return out;
}

}  // namespace

void PutMessages(std::vector<uint8_t>& block, std::size_t at, std::span<const TMesRec> messages) {
    for (const TMesRec& m : messages) {
        const TMesRec record = clean(m);
        std::memcpy(block.data() + at, &record, sizeof record);
        at += sizeof record;
    }
}

std::vector<TMesRec> GetMessages(std::span<const uint8_t> block, std::size_t at, std::size_t count) {
    std::vector<TMesRec> messages;
    messages.reserve(count);
    for (std::size_t i = 0; i < count; ++i) {
        TMesRec record;
        std::memcpy(&record, block.data() + at + i * sizeof record, sizeof record);
        messages.push_back(clean(record));
    }
    return messages;
}

}  // namespace korvant
