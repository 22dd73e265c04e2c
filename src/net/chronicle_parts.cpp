#include "net/chronicle_parts.h"

#include "core/cp1251.h"

namespace korvant {

ChronicleParts SplitChronicle(std::string_view utf8) {
    const std::string text = Utf8ToCp1251(utf8);
    const std::string_view all = text;
    ChronicleParts parts;
    parts.first = all.substr(0, ChronicleFirstPart);
    if (all.size() > ChronicleFirstPart) parts.second = all.substr(ChronicleFirstPart, ChronicleSecondPart);
    return parts;
}

std::string JoinChronicle(std::string_view first, std::string_view second) {
    std::string text(first);
    text += second;
    return Cp1251ToUtf8(text);
}

}  // namespace korvant
