#include "core/state_fields.h"

namespace korvant {

bool SameValue(const std::string& a, const std::string& b) { return a == b; }

// The bytes behind a text's length are not significant, nor are the reserved ones.
bool SameValue(const TMesList& a, const TMesList& b) {
    if (a.Count() != b.Count()) return false;
    for (int i = 0; i < a.Count(); ++i) {
        const TMesRec &x = a[i], &y = b[i];
        if (x.Kind != y.Kind || x.Gos != y.Gos || x.Color != y.Color || x.Text.raw() != y.Text.raw()) return false;
    }
    return true;
}

}  // namespace korvant
