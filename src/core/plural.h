#pragma once
// The word form that goes with a number. A language text gives the forms of a
// counted word in braces after its "%d", parted by "/": two forms in English
// ("%d {soldier/soldiers}"), three in Russian ("%d {солдат/солдата/солдат}" for
// 1, 2 and 5). The number of forms tells which rule chooses among them.
#include <cstddef>

namespace korvant {

// Index 0..forms-1 of the form for `n`. With two forms: the first for exactly one, the
// second otherwise. With three: one (1, 21, 101, ...), few (2-4, 22-24, ...), many (the
// rest, 11-14 included). Any other count of forms gives the first.
std::size_t PluralForm(long long n, std::size_t forms);

}  // namespace korvant
