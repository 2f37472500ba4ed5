#!/usr/bin/env bash
# A second compiler over the program and its unit and widget tests: clang++ (installed for the
# fuzzer), every warning an error, in a build of its own (build-clang); then the tests run.
# Without clang it says so and does nothing.
set -euo pipefail
cd "$(dirname "$0")/.."
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: the clang build is skipped"
  exit 0
fi
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-clang -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUENTOR_TESTS=ON -DQUENTOR_WERROR=ON "${lanceur[@]}" >/dev/null
# Only what the tests below need: the benchmarks and tools are g++'s build's to check.
cmake --build build-clang --target quentor quentor_tests analyse_son_tests
cd build-clang
QT_QPA_PLATFORM=offscreen ctest -E "^e2e[.]" -j2 --timeout 300 --output-on-failure
