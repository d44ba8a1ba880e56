#!/bin/sh
# The installed program, run the way a desktop runs it: from its menu entry's
# command, with a home folder of its own and a prefix nobody may write.
#   InstalledProgram.sh --build BUILD_DIR   installs BUILD_DIR into a temporary prefix first
#   InstalledProgram.sh --prefix PREFIX     an existing install (e.g. an unpacked .deb's usr/)
# Checks: `ampora` in bin and the window program in libexec; installed mode
# and its folders in --version; --help and an unknown option; the window
# program started by `ampora` uses those folders: the curves made in the per-user folder on first start, written back
# at exit (the session's SIGTERM), a stored curve still there after a second
# start; nothing under the prefix changed.
set -eu

fail() { echo "FAIL: $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/ampora-installed-XXXXXX")
prefix=
cleanup() {
  [ -n "$prefix" ] && [ -d "$prefix" ] && chmod -R u+w "$prefix" 2>/dev/null || true
  rm -rf "$work"
}
trap cleanup EXIT

case "${1:-}" in
  --build)
    prefix="$work/prefix"
    cmake --install "$2" --prefix "$prefix" >/dev/null ;;
  --prefix)
    prefix=$(cd "$2" && pwd) ;;
  *) echo "usage: $0 --build BUILD_DIR | --prefix PREFIX" >&2; exit 2 ;;
esac

desktop=$(ls "$prefix"/share/applications/*.desktop)
[ -x "$prefix/bin/ampora" ] || fail "no $prefix/bin/ampora"
[ -x "$prefix/libexec/ampora/ampora-window" ] || fail "no $prefix/libexec/ampora/ampora-window"
# Root may write anywhere, so "untouched" is checked by content, not by the
# permission alone.
snapshot() { (cd "$prefix" && find . -printf '%p %y %s %m %T@\n' | sort && find . -type f -exec md5sum {} + | sort); }
before=$(snapshot)
chmod -R a-w "$prefix"

home="$work/home"
mkdir -p "$home"
export HOME="$home"
unset XDG_DATA_HOME XDG_CONFIG_HOME XDG_DATA_DIRS
export XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
export PATH="$prefix/bin:$PATH"
exec=$(sed -n 's/^Exec=//p' "$desktop")
[ "$exec" = "ampora %f" ] || fail "menu entry runs '$exec'"
# What a menu click runs: the entry's command without a file.
command=${exec% %f}
user="$home/.local/share/ampora"

version=$($command --version)
echo "$version" | grep -qx "Mode: installed" || fail "mode: $version"
echo "$version" | grep -qxF "Program files: $prefix/share/ampora/" || fail "data folder: $version"
echo "$version" | grep -qxF "Curves and settings: $user/" || fail "user folder: $version"
[ ! -e "$user" ] || fail "--version created $user"
$command --help | grep -q '^Commands:' || fail "--help"
set +e
err=$($command --no-such-option 2>&1 >/dev/null); rc=$?
set -e
[ "$rc" = 2 ] || fail "unknown option exits with $rc"
[ "$(printf '%s\n' "$err" | wc -l)" = 1 ] || fail "unknown option: $err"

# One session: started from the menu command, ended as a desktop session ends it.
session() {
  $command >"$work/log" 2>&1 &
  pid=$!
  n=0
  until [ -e "$user/Ctmp.cds" ]; do
    n=$((n + 1)); [ $n -le 300 ] || { kill -9 $pid; fail "no start-up: $(cat "$work/log")"; }
    kill -0 $pid 2>/dev/null || fail "ended early: $(cat "$work/log")"
    sleep 0.1
  done
  sleep 0.5
  kill -TERM $pid
  wait $pid || fail "exit status $?: $(cat "$work/log")"
  [ ! -e "$user/Ctmp.cds" ] || fail "scratch file left behind"
}
curves() { sqlite3 "$user/Curves.cds" 'select CurveName from records order by CurveName'; }

session
[ "$(curves | grep -vcx Settings)" = 5 ] || fail "first start: $(curves)"
curves | grep -qx Settings || fail "settings not written back at exit"
# A curve saved in this session (as Save As stores it).
levels=$(seq -s, 0 30 | sed 's/[0-9]*/-3/g')
sqlite3 "$user/Curves.cds" "insert into records values ('Saved by the user', $levels)"
session
curves | grep -qx 'Saved by the user' || fail "the saved curve is gone: $(curves)"
[ "$(curves | grep -vcx Settings)" = 6 ] || fail "second start: $(curves)"

chmod -R u+w "$prefix"
[ "$(snapshot)" = "$before" ] || fail "the install prefix changed"
echo "installed program: OK ($prefix)"
