#!/bin/sh
# `ampora evaluate` must run where no display exists: no X server, no
# platform plugin. Qt reports every plugin it loads under QT_DEBUG_PLUGINS.
# $1: the ampora executable, $2: a design file that evaluates.
out=$(env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM QT_DEBUG_PLUGINS=1 "$1" evaluate "$2" 2>&1)
status=$?
printf '%s\n' "$out"
[ "$status" -eq 0 ] || { echo "exit status $status"; exit 1; }
if printf '%s\n' "$out" | grep -qi 'plugin'; then echo "a plugin was loaded"; exit 1; fi
printf '%s\n' "$out" | grep -q 'Total' || { echo "no result block"; exit 1; }
