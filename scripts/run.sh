#!/usr/bin/env bash
# Installs what is missing, builds the clock and starts it from its program folder (build/bin).
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENTOR_TESTS=OFF >/dev/null
cmake --build build --target quentor
exec ./build/bin/quentor
