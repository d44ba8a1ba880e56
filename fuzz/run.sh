#!/usr/bin/env bash
# Runs every fuzz target built in BUILD (fuzz_<name> for each fuzz/<name>.cpp)
# over its seed corpus in tests/fuzz-corpus/<name>/ for a fixed number of
# inputs: FUZZ_RUNS (default 20000), or FUZZ_RUNS_<name> for one target.
# A dictionary fuzz/<name>.dict, where there is one, gives the mutations the
# format's words.
# New inputs go to a scratch folder, never into the seed corpus. Fails on the
# first crash, leak or sanitizer report and shows its log.
set -euo pipefail
build=${1:?usage: fuzz/run.sh BUILD-FOLDER}
cd "$(dirname "$0")/.."
runs_default=${FUZZ_RUNS:-20000}
seed=${FUZZ_SEED:-1}  # 0: a new seed each run
scratch=$(mktemp -d)
trap 'rm -rf "$scratch"' EXIT
status=0
for src in fuzz/*.cpp; do
  name=$(basename "$src" .cpp)
  exe="$build/fuzz_$name"
  [ -x "$exe" ] || { echo "fuzz: $exe is missing"; exit 1; }
  var="FUZZ_RUNS_$name"
  runs=${!var:-$runs_default}
  mkdir -p "$scratch/$name/new" "$scratch/$name/artifacts"
  seeds=tests/fuzz-corpus/$name
  [ -d "$seeds" ] || seeds=
  dict=fuzz/$name.dict
  if [ -f "$dict" ]; then dict=-dict=$dict; else dict=; fi
  start=$(date +%s)
  if ASAN_OPTIONS=detect_leaks=1:allocator_may_return_null=1 UBSAN_OPTIONS=print_stacktrace=1 \
     "$exe" -runs="$runs" -seed="$seed" -rss_limit_mb=2048 -artifact_prefix="$scratch/$name/artifacts/" \
            $dict "$scratch/$name/new" $seeds >"$scratch/$name/log" 2>&1; then
    done_line=$(grep -E '^Done [0-9]+ runs' "$scratch/$name/log" | tail -1)
    echo "fuzz $name: ${done_line:-done} ($(( $(date +%s) - start )) s)"
  else
    echo "fuzz $name: FAILED after $(( $(date +%s) - start )) s"
    tail -60 "$scratch/$name/log"
    ls "$scratch/$name/artifacts" 2>/dev/null | sed 's/^/  artifact: /'
    status=1
  fi
done
exit $status
