#pragma once
// The texts of the compressed stream container's failures. They are shown as they stand.
#include <string_view>

namespace korvant::lzrw1_messages {

inline constexpr std::string_view WriteFailed = "Lzrw1 : Error writing to output stream !";
inline constexpr std::string_view ReadFailed = "Lzrw1 : Error reading from input stream !";
inline constexpr std::string_view FastChunkReadFailed = "Lzrw1 : Error reading from input stream ! (LZRW1/KH)";
inline constexpr std::string_view GoodChunkReadFailed = "Lzrw1 : Error reading from input stream ! (LZH)";
inline constexpr std::string_view NoValidHeader = "Lzrw1 decompression : input stream contains no valid header !";
inline constexpr std::string_view FastSizeMismatch =
    "Lzrw1 (decompression LZRW1/KH) : Original and compressed sizes do not match !";
inline constexpr std::string_view GoodSizeMismatch =
    "Lzrw1 (LZH decompression) : Original and compressed sizes do not match !";
inline constexpr std::string_view NoInputSize = "Lzrw1 compression : Failed to obtain the size of the input stream !";
inline constexpr std::string_view InputTooLarge = "Lzrw1 compression : input stream too large !";
inline constexpr std::string_view InputSeekFailed = "Lzrw1 (de)compression : Failed to initialize input stream !";

}  // namespace korvant::lzrw1_messages
