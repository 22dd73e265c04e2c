#pragma once
// Where the rules take the texts they show: the language file in the game,
// built-in defaults when there is none (tests, a bare headless run).
#include <string>

#include "core/message_table.h"

namespace korvant {

class TextSource {
public:
    virtual ~TextSource() = default;
    // Text of message `id`, with "|" turned into line breaks; its built-in text when the id has none here.
    virtual std::string Lookup(Msg id) const = 0;
};

// Every id reads as its built-in default.
class DefaultTexts final : public TextSource {
public:
    std::string Lookup(Msg id) const override { return std::string(BuiltInText(id)); }
};

}  // namespace korvant
