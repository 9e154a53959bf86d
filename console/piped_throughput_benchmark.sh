#!/usr/bin/env bash
# Times 100,000 commands (g and a pause key, repeated) piped through the
# program, its output piped on to cat; prints the best of five runs.
#   console/piped_throughput_benchmark.sh [PROGRAM]
set -euo pipefail
program=${1:-build/vergleichsspannung}
keys=$(mktemp)
trap 'rm -f "$keys"' EXIT
awk 'BEGIN { for (i = 0; i < 100000; i++) printf "g " }' > "$keys"
best=
for run in 1 2 3 4 5; do
  start=$(date +%s%N)
  cat "$keys" | "$program" | cat > /dev/null
  elapsed=$(( $(date +%s%N) - start ))
  if [ -z "$best" ] || [ "$elapsed" -lt "$best" ]; then best=$elapsed; fi
done
printf '100000 commands piped: %d.%03d s (best of 5)\n' $((best / 1000000000)) $((best / 1000000 % 1000))
