#!/usr/bin/env bash
# Drives the real Quillbox.exe under Wine in a private Xvfb display with a window
# manager, as a person would, in a fresh Wine prefix.
# Usage: tests/wine/run-all.sh <win64 or win32 build dir> [test names]
# Screenshots and logs go to <build dir>/wine-artefacts. Ends with
# "N passed, N failed, N skipped" and a non-zero exit on any failure. Test or module names
# (test_send) after the build dir run only those tests (and the Win32 unit tests
# only with QBX_PROGRAM_TESTS=1).
set -uo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:?usage: run-all.sh <build dir>}" && pwd)"
artefacts="$build/wine-artefacts"
prefix="$build/wine-e2e-prefix"
wine="$here/../../tools/wine-exec"   # starts again when Wine failed to start a program
source "$here/../../tools/wine-env"  # the loader this host can run

for tool in wine wineserver Xvfb openbox xdotool import python3; do
  command -v "$tool" >/dev/null || { echo "missing $tool"; echo "0 passed, 1 failed, 0 skipped"; exit 1; }
done
[[ -f "$build/program/Quillbox.exe" ]] || { echo "no $build/program/Quillbox.exe"; echo "0 passed, 1 failed, 0 skipped"; exit 1; }
if [[ "${QBX_WINE_64_ONLY:-}" == 1 ]] &&
  [[ $(PYTHONPATH="$here" python3 -c "import sys, harness; print(harness.pe_bits(sys.argv[1]))" "$build/program/Quillbox.exe") == 32 ]]; then
  echo "SKIP $build: a 32-bit program, and $(qbx_no_32bit_reason)"
  echo "0 passed, 0 failed, 1 skipped"
  exit 0
fi

rm -rf "$artefacts" "$prefix"
mkdir -p "$artefacts"

# A display number nobody else uses.
display=90
while [[ -e /tmp/.X11-unix/X$display || -e /tmp/.X$display-lock ]]; do display=$((display + 1)); done
Xvfb ":$display" -screen 0 1280x1024x24 -nolisten tcp >"$artefacts/xvfb.log" 2>&1 &
xvfb_pid=$!
# A light window manager, as on a pharmacy's desktop: without one Wine waits
# two seconds for it whenever a dialog closes.
for _ in $(seq 50); do xdpyinfo -display ":$display" >/dev/null 2>&1 && break; sleep 0.1; done
DISPLAY=":$display" openbox --sm-disable >"$artefacts/openbox.log" 2>&1 &
wm_pid=$!

export DISPLAY=":$display" WINEPREFIX="$prefix" WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cleanup() {
  wineserver -k >/dev/null 2>&1
  kill "$wm_pid" "$xvfb_pid" >/dev/null 2>&1
  wait "$xvfb_pid" 2>/dev/null
}
trap cleanup EXIT

wineboot -i >"$artefacts/wineboot.log" 2>&1 </dev/null
wineserver -w
"$wine" reg add 'HKCU\Software\Wine\WineDbg' /v ShowCrashDialog /t REG_DWORD /d 0 /f >/dev/null 2>&1 </dev/null
# Wine's background processes inherit our pipes unless the server runs first.
wineserver -p
"$wine" cmd /c exit >/dev/null 2>&1 </dev/null

# The program's Windows-only unit tests need a display too.
unit_passed=0
unit_failed=0
if [[ $# -lt 2 || "${QBX_PROGRAM_TESTS:-}" == 1 ]]; then
  units="$build/tests/program/program_tests.exe"
  if [[ -f "$units" ]]; then
    timeout 120 "$wine" "$units" >"$artefacts/program_tests.log" 2>&1 </dev/null
    unit_passed=$(grep -c '^\[       OK \]' "$artefacts/program_tests.log")
    unit_failed=$(grep -c '^\[  FAILED  \] .* ms)' "$artefacts/program_tests.log")
    grep -q '^\[  PASSED  \]\|^\[  FAILED  \]' "$artefacts/program_tests.log" || unit_failed=$((unit_failed + 1))
    grep '^\[  FAILED  \] .* ms)' "$artefacts/program_tests.log"
    echo "program_tests: $unit_passed passed, $unit_failed failed"
  else
    echo "no $units"
    unit_failed=1
  fi
fi

timeout 1200 python3 "$here/e2e.py" "$build" "$artefacts" "${@:2}" | tee "$artefacts/e2e.log"
line=$(grep -E '^[0-9]+ passed, [0-9]+ failed$' "$artefacts/e2e.log" | tail -1)
if [[ -z "$line" ]]; then
  echo "the Wine end-to-end tests did not finish"
  line="0 passed, 1 failed"
fi
read -r e2e_passed _ e2e_failed _ <<<"${line//,/}"
passed=$((unit_passed + e2e_passed))
failed=$((unit_failed + e2e_failed))
echo "$passed passed, $failed failed, 0 skipped"
[[ $failed -eq 0 ]]
