#!/bin/sh
# End-to-end throughput of `ampora evaluate` over many design files on one
# core: writes N variants of docs/three-way.ampora into a temporary folder,
# evaluates them all to one CSV and prints designs per second.
# Usage: bench/evaluate_throughput.sh [build folder] [N]
set -eu
build=${1:-build}
n=${2:-10000}
src=$(cd "$(dirname "$0")/.." && pwd)
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
i=0
while [ $i -lt $n ]; do
  echo "$(( i % 200 + 20 ))"
  i=$((i + 1))
done | awk -v dir="$dir" -v src="$src/docs/three-way.ampora" '
  BEGIN { while ((getline line < src) > 0) text = text line "\n" }
  { t = text; sub(/"amplifierPowerW": 100/, "\"amplifierPowerW\": " $1, t);
    printf "%s", t > (dir "/v" NR ".ampora"); close(dir "/v" NR ".ampora") }'
sync
# Warm the page cache so that the figure is the program's, not the disk's.
cat "$dir"/*.ampora > /dev/null
start=$(date +%s.%N)
taskset -c 0 "$build/ampora" evaluate --format csv "$dir"/*.ampora > "$dir/out.csv" || true
end=$(date +%s.%N)
rows=$(($(wc -l < "$dir/out.csv") - 1))
echo "$rows designs in $(echo "$end - $start" | bc) s: $(echo "$rows / ($end - $start)" | bc) designs/s"
