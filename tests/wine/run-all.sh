#!/usr/bin/env bash
# Drives the real Quillbox.exe under Wine in a private Xvfb display, as a person
# would, in a fresh Wine prefix. Usage: tests/wine/run-all.sh <win64 build dir>
# Screenshots and logs go to <build dir>/wine-artefacts. Ends with
# "N passed, N failed" and a non-zero exit on any failure. Test names after the
# build dir run only those tests.
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run-all.sh <win64 build dir>}" && pwd)"
artefacts="$build/wine-artefacts"
prefix="$build/wine-e2e-prefix"

for tool in wine wineserver Xvfb xdotool import python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; echo "0 passed, 1 failed"; exit 1; }
done
[[ -f "$build/program/Quillbox.exe" ]] || { echo "no $build/program/Quillbox.exe"; echo "0 passed, 1 failed"; exit 1; }

rm -rf "$artefacts" "$prefix"
mkdir -p "$artefacts"

# A display number nobody else uses.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$artefacts/xvfb.log" 2>&1 &
xvfb_pid=$!

export DISPLAY=":$display" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$xvfb_pid" >/dev/null 2>&1
  wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

wineboot -i >"$artefacts/wineboot.log" 2>&1 </dev/null
wineserver -w
wine reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
# Wine's background processes inherit our pipes unless the server runs first.
wineserver -p
wine cmd /c exit >/dev/null 2>&1 </dev/null

timeout 280 python3 "$here/e2e.py" "$build" "$artefacts" "${@:2}"
status=$?
if [[ $status -eq 124 ]]; then
  echo "the Wine tests ran out of time"
  echo "0 passed, 1 failed"
fi
exit $status
