#!/bin/sh
# Design files as a desktop sees them once the program is installed: the
# install into a temporary prefix, the MIME database and the menu entries'
# type index built there as dpkg's triggers build them, then GIO (what file managers ask) asked about a design by
# its name and by its content alone, about a spectrum that stays text, and
# which program opens a design.
#   MimeType.sh --build BUILD_DIR SOURCE_DIR   installs BUILD_DIR into a temporary prefix first
#   MimeType.sh --prefix PREFIX SOURCE_DIR     an existing install (e.g. an unpacked .deb's usr/),
#                                              whose share/ is copied, not changed
# Exit status 77: the desktop's tools are not installed, nothing was checked.
set -eu

fail() { echo "FAIL: $*" >&2; exit 1; }
skip() { echo "SKIP: $*"; exit 77; }
command -v update-mime-database >/dev/null || skip "no update-mime-database (package shared-mime-info)"
command -v update-desktop-database >/dev/null ||
  skip "no update-desktop-database (package desktop-file-utils)"
command -v gio >/dev/null || skip "no gio (package libglib2.0-bin)"

source=$3
work=$(mktemp -d "${TMPDIR:-/tmp}/ampora-mime-XXXXXX")
trap 'rm -rf "$work"' EXIT
case "$1" in
  --build)
    DESTDIR="$work/stage" cmake --install "$2" --prefix /usr >/dev/null
    prefix="$work/stage/usr" ;;
  --prefix)
    prefix=$(cd "$2" && pwd)
    mkdir -p "$work/stage/usr"
    cp -R "$prefix/share" "$work/stage/usr/share" ;;
  *) echo "usage: $0 --build BUILD_DIR | --prefix PREFIX, then SOURCE_DIR" >&2; exit 2 ;;
esac
share="$work/stage/usr/share"

# Only the prefix and the system's own types (JSON, text) count; no user's
# settings, no desktop daemon.
export XDG_DATA_DIRS="$share:/usr/share" XDG_DATA_HOME="$work/data" HOME="$work/home"
export XDG_CONFIG_HOME="$work/config" XDG_CONFIG_DIRS="$work/config" GIO_USE_VFS=local
# A menu entry whose TryExec is not on the PATH offers nothing.
export PATH="$prefix/bin:$PATH"
mkdir -p "$work/files" "$HOME" "$XDG_DATA_HOME" "$XDG_CONFIG_HOME"
update-mime-database "$share/mime"
update-desktop-database "$share/applications"

type_of() { gio info -a standard::content-type "$1" | sed -n 's/^ *standard::content-type: //p'; }
check() {
  got=$(type_of "$work/files/$1")
  [ "$got" = "$2" ] || fail "$1 is '$got', not $2"
}

cp "$source/docs/three-way.ampora" "$work/files/design.ampora"
cp "$source/docs/three-way.ampora" "$work/files/design"
# Written with the keys in another order and without blanks, as any JSON
# writer may.
tr -d ' \n' <"$source/docs/three-way-rated.ampora" | sed 's/"format":"ampora-design",//; s/}$/,"format":"ampora-design"}/' \
  >"$work/files/compact"
cp "$source/tests/data/measurements/pink-noise-rta-1-24-octave.txt" "$work/files/rta.txt"
check design.ampora application/x-ampora-design
check design application/x-ampora-design
check compact application/x-ampora-design
check rta.txt text/plain

gio mime application/x-ampora-design | grep -q 'local\.ampora\.Ampora\.desktop' ||
  fail "no program opens a design: $(gio mime application/x-ampora-design 2>&1)"
echo "design file type: OK"
