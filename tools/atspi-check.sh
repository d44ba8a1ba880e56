#!/usr/bin/env bash
# Reads the running program's controls the way a Linux screen reader does
# (over AT-SPI) and fails when an operable one has no name.
#   tools/atspi-check.sh BUILD_FOLDER DISPLAY_NUMBER
# Needs Xvfb, dbus-run-session, at-spi2-core and python3-pyatspi; not part of
# `make test`. The program runs from a copy of the build folder's files.
set -euo pipefail
build=$(cd "${1:?build folder}" && pwd)
display=":${2:?display number}"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cp "$build/ampora" "$build/Menu.cds" "$build"/*.hlp "$work/"

cat >"$work/read.py" <<'PY'
import sys, time
import pyatspi
desktop = pyatspi.Registry.getDesktop(0)
app = None
for _ in range(50):
    app = next((desktop.getChildAtIndex(i) for i in range(desktop.childCount)
                if 'ampora' in (desktop.getChildAtIndex(i).name or '').lower()), None)
    if app:
        break
    time.sleep(0.2)
if not app:
    sys.exit("the program did not appear on the accessibility bus")
operable = {'text', 'combo box', 'push button', 'check box', 'chart', 'table', 'list'}
silent, count = [], 0
def walk(o):
    global count
    role = o.getRoleName()
    if role in operable:
        count += 1
        print(f"{role:12} {o.name!r}")
        if not o.name.strip():
            silent.append(role)
    for k in range(o.childCount):
        walk(o.getChildAtIndex(k))
walk(app)
print(f"{count} operable objects, {len(silent)} without a name")
sys.exit(1 if silent or count == 0 else 0)
PY

cat >"$work/session.sh" <<'SH'
#!/usr/bin/env bash
set -u
/usr/libexec/at-spi-bus-launcher --launch-immediately & bus=$!
sleep 1
QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 "$WORK/ampora" 2>/dev/null & app=$!
sleep 3
/usr/bin/python3 "$WORK/read.py"; rc=$?
kill $app $bus 2>/dev/null
exit $rc
SH
chmod +x "$work/session.sh"

Xvfb "$display" -screen 0 1280x1024x24 >/dev/null 2>&1 & xvfb=$!
sleep 1
rc=0
DISPLAY=$display WORK=$work dbus-run-session -- "$work/session.sh" 2>/dev/null || rc=$?
kill $xvfb
exit $rc
