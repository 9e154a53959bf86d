#!/usr/bin/env bash
# Pipes 100,000 commands (g and a pause key, repeated) through the program and
# through the yardstick, a minimal loop that writes the same bytes for the same
# input, and compares the CPU time (user + system) each takes: best of five
# runs, taken in turns, each on CPU 1 when taskset is there.
#   console/piped_throughput_benchmark.sh [PROGRAM [YARDSTICK]]
set -euo pipefail
program=${1:-build/vergleichsspannung}
yardstick=${2:-$(dirname "$program")/piped_yardstick}
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "g " }' > "$work/keys"
pin=()
if command -v taskset > /dev/null; then pin=(taskset -c 1); fi

# The comparison holds only while both write the same bytes.
"$program" < "$work/keys" > "$work/program.out"
"$yardstick" < "$work/keys" > "$work/yardstick.out"
if ! cmp -s "$work/program.out" "$work/yardstick.out"; then
  echo "the yardstick's output differs from the program's" >&2
  exit 1
fi

# Prints the CPU milliseconds of one run of $1, fed and read through pipes.
cpu_ms() {
  local TIMEFORMAT='%3U %3S'
  cat "$work/keys" | { time "${pin[@]}" "$1" 2> /dev/null; } 2> "$work/time" | cat > /dev/null
  awk '{ printf "%d\n", ($1 + $2) * 1000 + 0.5 }' "$work/time"
}

best_program=
best_yardstick=
for run in 1 2 3 4 5; do
  ms=$(cpu_ms "$program")
  if [ -z "$best_program" ] || [ "$ms" -lt "$best_program" ]; then best_program=$ms; fi
  ms=$(cpu_ms "$yardstick")
  if [ -z "$best_yardstick" ] || [ "$ms" -lt "$best_yardstick" ]; then best_yardstick=$ms; fi
done
printf '100000 commands piped, CPU (user + system), best of 5:\n'
printf '  program    %4d ms  %s\n' "$best_program" "$program"
printf '  yardstick  %4d ms  %s\n' "$best_yardstick" "$yardstick"
awk -v p="$best_program" -v y="$best_yardstick" \
  'BEGIN { printf "  ratio      %.2f\n", (y > 0 ? p / y : 0) }'
