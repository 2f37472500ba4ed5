#!/usr/bin/env bash
# Idle cost of the running clock: starts a private X server with a tray host, runs the program
# for N seconds once it has settled, and reports its CPU share and resident memory from /proc.
# Usage: bench/idle.sh [seconds=60] [program=build/bin/quentor]
# Needs xvfb and trayer (scripts/install-deps.sh --with-tests).
set -euo pipefail
cd "$(dirname "$0")/.."
duree=${1:-60}
programme=${2:-build/bin/quentor}
[ -x "$programme" ] || { echo "Programme introuvable : $programme" >&2; exit 1; }

travail=$(mktemp -d)
export XDG_RUNTIME_DIR=$travail/runtime
mkdir -m 700 "$XDG_RUNTIME_DIR"
pids=()
fin() { for p in "${pids[@]}"; do kill "$p" 2>/dev/null || true; done; wait 2>/dev/null || true; rm -rf "$travail"; }
trap fin EXIT

exec 3>"$travail/display"
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp >/dev/null 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -s "$travail/display" ] && break; sleep 0.05; done
export DISPLAY=:$(head -1 "$travail/display")
trayer --edge top --align right --widthtype pixel --width 160 --height 28 \
       --SetDockType false --SetPartialStrut false >/dev/null 2>&1 &
pids+=($!)
sleep 1

SDL_AUDIODRIVER=dummy "$programme" $( [ "$(basename "$programme")" = essai_bureau ] && echo $((duree + 20)) ) \
  >/dev/null 2>&1 &
prog=$!
pids+=($prog)
sleep 5  # start-up settles: fonts, first paints, tray embedding

hz=$(getconf CLK_TCK)
ticks() { awk '{print $14 + $15}' "/proc/$prog/stat"; }
t0=$(ticks); s0=$(date +%s.%N)
sleep "$duree"
t1=$(ticks); s1=$(date +%s.%N)
rss=$(awk '/^VmRSS/ {print $2}' "/proc/$prog/status")
hwm=$(awk '/^VmHWM/ {print $2}' "/proc/$prog/status")
awk -v t="$((t1 - t0))" -v hz="$hz" -v a="$s0" -v b="$s1" -v rss="$rss" -v hwm="$hwm" -v p="$programme" \
  'BEGIN { printf "%s: CPU %.3f %% over %.0f s, RSS %.1f MB (peak %.1f MB)\n", p, 100 * t / hz / (b - a), b - a, rss / 1024, hwm / 1024 }'
