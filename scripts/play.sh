#!/usr/bin/env bash
# Installs what is needed, builds the game and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
# Searches for network sessions stay on this computer unless the caller names his LAN broadcast.
export KORVANT_DISCOVERY_ADDRESS=${KORVANT_DISCOVERY_ADDRESS:-127.255.255.255}
bash scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build -j"$(nproc)" --target korvant korvant_data
exec build/bin/korvant "$@"
