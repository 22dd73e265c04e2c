#pragma once

#include <stdexcept>
#include <string>

namespace korvant {

// A failure of the compressed stream container or one of its coders. The
// message is the text shown to the person as it stands (the coders' messages
// are English and not looked up in the language file).
class CompressError : public std::runtime_error {
public:
    explicit CompressError(const std::string& message) : std::runtime_error(message) {}
};

}  // namespace korvant
