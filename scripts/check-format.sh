#!/usr/bin/env bash
# Fails when a C++ file of the tree is not as clang-format (.clang-format at the root) writes it,
# naming each such file and how many of its lines would change.
#   scripts/check-format.sh [FILE...]     every tracked source file when none is given
set -euo pipefail
cd "$(dirname "$0")/.."
format=${CLANG_FORMAT:-clang-format}
if ! command -v "$format" >/dev/null; then
    echo "check-format: $format is not installed (apt-get install clang-format)" >&2
    exit 2
fi
if [[ $# -gt 0 ]]; then
    files=("$@")
else
    mapfile -t files < <(git ls-files '*.cpp' '*.h')
fi
differ=0
for f in "${files[@]}"; do
    changed=$("$format" --style=file "$f" | diff "$f" - | grep -c '^[<>]' || true)
    if [[ $changed -gt 0 ]]; then
        echo "$f: $changed lines differ"
        differ=$((differ + 1))
    fi
done
if [[ $differ -gt 0 ]]; then
    echo "check-format: $differ of ${#files[@]} files differ from clang-format; run clang-format -i on them" >&2
    exit 1
fi
echo "check-format: ${#files[@]} files formatted"
