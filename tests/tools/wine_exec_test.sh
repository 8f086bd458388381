#!/bin/sh
# The Wine launcher with a stand-in `wine` that fails to start as often as it
# is told: a failed start is made again, any other failure is passed on.
# Argument: the launcher.
set -u
launcher=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cat >"$work/wine" <<'STUB'
#!/bin/sh
# Fails to start while starts.txt is below failures.txt, then runs "$1".
starts=$(($(cat starts.txt) + 1)); echo "$starts" >starts.txt
if [ "$starts" -le "$(cat failures.txt)" ]; then
  echo "err:virtual:virtual_alloc_first_teb wine: failed to map the shared user data: c0000018" >&2
  exit 1
fi
echo "ran $*"
exit "$2"
STUB
chmod +x "$work/wine"
cd "$work" || exit 1
fails=0
# failures before a start, exit code of the program, expected code, expected starts
expect() {
  echo 0 >starts.txt; echo "$1" >failures.txt
  PATH="$work:$PATH" QBX_WINE_64_ONLY=0 "$launcher" prog "$2" >out.txt 2>err.txt
  code=$?
  if [ "$code" = "$3" ] && [ "$(cat starts.txt)" = "$4" ]; then
    echo "ok: $1 failed starts, program exit $2"
  else
    echo "FAILED: $1 failed starts, program exit $2: exit $code after $(cat starts.txt) starts"
    cat out.txt err.txt
    fails=$((fails + 1))
  fi
}
expect 0 7 7 1   # a good start runs once: the program's own failure is not a reason to start again
expect 2 0 0 3   # two failed starts, the third runs
grep -qx "ran prog 0" out.txt || { echo "FAILED: the program's output is lost"; fails=$((fails + 1)); }
expect 5 0 1 3   # three failed starts give up with Wine's exit code
grep -q "^ran prog 0" out.txt && echo "FAILED: the program ran after three failed starts" && fails=$((fails + 1))
exit "$fails"
