#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test (unit, widget and end-to-end).
# Under CI (CI set) every compiler warning is an error.
set -euo pipefail
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --with-tests
werror=OFF
[ -n "${CI:-}" ] && werror=ON
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQUENTOR_TESTS=ON -DQUENTOR_WERROR=$werror >/dev/null
cmake --build build
cd build && ctest --output-on-failure --timeout 300 -j2
