#!/usr/bin/env bash
# Installs what is needed, builds the game for /usr and makes its Debian package:
# build-package/korvant_<version>_<arch>.deb
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/install-deps.sh
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr -DKORVANT_BENCH=OFF
cmake --build build-package -j"$(nproc)"
(cd build-package && cpack -G DEB)
ls build-package/korvant_*.deb
