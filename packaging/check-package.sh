#!/bin/sh
# Checks a built Debian package: its file list, the desktop entry and the
# AppStream metadata it ships, lintian, whether apt could install it here, the
# program unpacked into a scratch root run as an installed program, and the
# design files' type it declares.
#   check-package.sh BUILD_DIR
set -eu
build=$(cd "$1" && pwd)
here=$(cd "$(dirname "$0")" && pwd)
deb=$(ls "$build"/ampora_*.deb)
work=$(mktemp -d "${TMPDIR:-/tmp}/ampora-deb-XXXXXX")
trap 'chmod -R u+w "$work"; rm -rf "$work"' EXIT

echo "== contents of $(basename "$deb")"
dpkg-deb -c "$deb" | awk '{print $6}' | sed 's#^\./#/#' | grep -v '/$' | sort >"$work/contents"
diff -u "$here/package-contents.txt" "$work/contents"

echo "== validators"
dpkg-deb -x "$deb" "$work/root"
desktop-file-validate "$work"/root/usr/share/applications/*.desktop
appstreamcli validate --no-net "$work"/root/usr/share/metainfo/*.metainfo.xml

echo "== lintian"
lintian --fail-on error --info "$deb"

echo "== dependencies resolvable by apt"
apt-get install --simulate --no-install-recommends "$deb" >"$work/apt" 2>&1 || { cat "$work/apt"; exit 1; }

echo "== unpacked into a scratch root"
sh "$here/../tests/packaging/InstalledProgram.sh" --prefix "$work/root/usr"

echo "== the design files' type"
sh "$here/../tests/packaging/MimeType.sh" --prefix "$work/root/usr" "$here/.."
