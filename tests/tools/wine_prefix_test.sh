#!/bin/sh
# The prefix maker with stand-in Wine tools: a usable prefix is left alone; one
# made before the 32-bit loader (no syswow64 kernel32) is made anew, keeping the
# folders named and Quarn's registry keys, imported into both registry views.
# Argument: tools/wine-prefix.
set -u
tool=$1
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
mkdir -p "$work/bin"
# wineboot makes a usable prefix; wine records what it is asked and keeps the
# .reg files it imports; wineserver and winepath do nothing of note.
cat >"$work/bin/wineboot" <<'STUB'
#!/bin/sh
mkdir -p "$WINEPREFIX/drive_c/windows/syswow64" && touch "$WINEPREFIX/drive_c/windows/syswow64/kernel32.dll" \
  "$WINEPREFIX/system.reg"
STUB
cat >"$work/bin/wine" <<'STUB'
#!/bin/sh
echo "$*" >>"$WORK/wine.txt"
[ "$2" = import ] && cat "$3" >>"$WORK/imported.txt"
exit 0
STUB
printf '#!/bin/sh\nexit 0\n' >"$work/bin/wineserver"
printf '#!/bin/sh\necho "$2"\n' >"$work/bin/winepath"
chmod +x "$work/bin/"*
# The stand-ins are the Wine found on PATH, whatever loader this host needs.
export WORK="$work" WINEPREFIX="$work/prefix" PATH="$work/bin:$PATH" QBX_WINE_64_ONLY=0
fails=0
fail() { echo "FAILED: $*"; fails=$((fails + 1)); }

# A prefix from before the 32-bit loader, with an installation and settings.
mkdir -p "$WINEPREFIX/drive_c/Quillbox/History"
echo order >"$WINEPREFIX/drive_c/Quillbox/Current.dat"
cat >"$WINEPREFIX/system.reg" <<'REG'
WINE REGISTRY Version 2

[Software\\Microsoft\\Other] 1733489765
"A"="b"

[Software\\Quarn Pharmaceutical Suppliers\\Quillbox] 1733489765
#time=1db47c
"UserName"="DEMO"
"Host"="127.0.0.1"
REG
: >"$WINEPREFIX/user.reg"
"$tool" Quillbox >/dev/null || fail "the remake failed"
[ "$(cat "$WINEPREFIX/drive_c/Quillbox/Current.dat" 2>/dev/null)" = order ] || fail "the order was not kept"
[ -d "$WINEPREFIX/drive_c/Quillbox/History" ] || fail "the history folder was not kept"
grep -qx '\[HKEY_LOCAL_MACHINE\\Software\\Quarn Pharmaceutical Suppliers\\Quillbox\]' "$work/imported.txt" ||
  fail "the settings key was not imported"
grep -qx '"UserName"="DEMO"' "$work/imported.txt" || fail "the account was not carried over"
grep -q 'Other\|#time' "$work/imported.txt" && fail "other keys or Wine's notes were carried over"
grep -q '/reg:32' "$work/wine.txt" && grep -q '/reg:64' "$work/wine.txt" || fail "not imported into both views"

# A usable prefix is left as it is.
: >"$work/wine.txt"
echo kept >"$WINEPREFIX/marker"
"$tool" >/dev/null || fail "a usable prefix failed"
[ -f "$WINEPREFIX/marker" ] && [ ! -s "$work/wine.txt" ] || fail "a usable prefix was touched"

# Where Wine runs only its 64-bit loader, a prefix without a 32-bit half is usable.
rm -rf "$WINEPREFIX/drive_c/windows/syswow64"
QBX_WINE_64_ONLY=1 "$tool" >/dev/null || fail "a 64-bit-only prefix failed"
[ -f "$WINEPREFIX/marker" ] && [ ! -s "$work/wine.txt" ] || fail "a 64-bit-only prefix was made anew"

[ "$fails" -eq 0 ] && echo "wine-prefix: all cases passed"
exit "$fails"
