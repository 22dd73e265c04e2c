#include "core/plural.h"

namespace korvant {

std::size_t PluralForm(long long n, std::size_t forms) {
    const unsigned long long a = n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    if (forms == 2) return a == 1 ? 0 : 1;
    if (forms != 3) return 0;
    const unsigned long long units = a % 10, tens = a % 100;
    if (units == 1 && tens != 11) return 0;
    if (units >= 2 && units <= 4 && (tens < 12 || tens > 14)) return 1;
    return 2;
}

}  // namespace korvant
