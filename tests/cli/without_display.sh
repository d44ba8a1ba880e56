#!/bin/sh
# The commands that need no window run where no display exists and load no
# window library at all: `ampora evaluate`, `ampora report ... -o X.csv`,
# `--help` and `--version`. The dynamic loader names every library it loads
# under LD_DEBUG=libs.
# $1: the ampora executable, $2: a design file that evaluates.
set -u
ampora=$1
design=$2
work=$(mktemp -d "${TMPDIR:-/tmp}/ampora-cli-XXXXXX")
trap 'rm -rf "$work"' EXIT
failed=0

# run NAME PATTERN ARGS...: exit status 0, PATTERN in what it prints, no Qt.
run() {
  name=$1 pattern=$2
  shift 2
  env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM LD_DEBUG=libs LD_DEBUG_OUTPUT="$work/ld" \
    "$ampora" "$@" >"$work/out" 2>"$work/err"
  status=$?
  if [ "$status" -ne 0 ]; then
    echo "$name: exit status $status"; cat "$work/err"; failed=1
  fi
  [ -z "$pattern" ] || grep -q "$pattern" "$work/out" ||
    { echo "$name: no '$pattern' in its output"; cat "$work/out"; failed=1; }
  if grep -qi 'libqt' "$work"/ld.*; then
    echo "$name: loads a window library:"; grep -ohi 'libqt[^ ]*' "$work"/ld.* | sort -u; failed=1
  fi
  # One log per process: a started window program would leave a second.
  [ "$(ls "$work"/ld.* | wc -l)" = 1 ] || { echo "$name: started another program"; failed=1; }
  rm -f "$work"/ld.*
}

run evaluate Total evaluate "$design"
run "report csv" '' report "$design" -o "$work/report.csv"
[ -s "$work/report.csv" ] || { echo "report csv: nothing written"; failed=1; }
run --help '^Commands:' --help
run --version '^Mode: ' --version

[ "$failed" = 0 ] && echo "without a window library: OK"
exit "$failed"
