#pragma once
// Where the rules take the texts they show: the language file in the game,
// built-in defaults when there is none (tests, a bare headless run).
#include <string>
#include <string_view>

namespace korvant {

class TextSource {
public:
    virtual ~TextSource() = default;
    // Text of message `id`, with "|" turned into line breaks; `fallback` when the id has no text.
    virtual std::string Lookup(int id, std::string_view fallback) const = 0;
};

// Every id reads as its built-in default.
class DefaultTexts final : public TextSource {
public:
    std::string Lookup(int, std::string_view fallback) const override { return std::string(fallback); }
};

}  // namespace korvant
