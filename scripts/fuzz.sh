#!/usr/bin/env bash
# Fuzzes the settings reader and writer with libFuzzer, ASan and UBSan for SECONDS (default 60).
# Needs clang and its libFuzzer runtime (installed by install-deps.sh --with-tests); without
# clang it says so and does nothing. The corpus grows in build-fuzz/corpus, seeded with the
# shipped settings and memos; a finding is written to build-fuzz/ and fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
secondes=${1:-60}
if ! command -v clang++ >/dev/null; then
  echo "clang++ not found: settings fuzzing skipped"
  exit 0
fi
lanceur=()
command -v ccache >/dev/null && lanceur=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B build-fuzz -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DQUENTOR_TESTS=OFF -DQUENTOR_FUZZ=ON "${lanceur[@]}" >/dev/null
cmake --build build-fuzz --target fuzz_reglages
mkdir -p build-fuzz/corpus
cd build-fuzz
exec fuzz/fuzz_reglages -max_total_time="$secondes" -max_len=2048 -print_final_stats=1 \
     corpus ../resources/defaults
