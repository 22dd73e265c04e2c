#pragma once
// Fills the "%s" and "%d" marks of a message text with values, in order.
// Texts come from an editable file, so they are never used as a printf format:
// a mark without a value stays as it is, a surplus value is dropped, and "%%" is one "%".
// A group of word forms "{a/b/c}" takes the form that goes with the last "%d" before it
// (core/plural.h); without a number before it, the group stays as it is.
#include <initializer_list>
#include <string>
#include <string_view>

namespace korvant {

std::string FormatText(std::string_view text, std::initializer_list<std::string_view> values);

// Decimal text of a number, for the "%d" marks.
std::string Dec(long long n);

}  // namespace korvant
