#pragma once
// File-type filters as the language file writes them, "Description|*.ext|..."
// (description and pattern alternating), in the form file dialogs take:
// "Description (*.ext);;...".
#include <string>
#include <string_view>

namespace korvant {

std::string DialogFilter(std::string_view barSeparated);

}  // namespace korvant
