#!/bin/sh
# The data tool from the command line, as an installer or a developer uses it.
# Arguments: the command that runs qbxdata (an emulator may come first).
set -u
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
cd "$work" || exit 1
fails=0
check() {   # description, then a shell condition
  what=$1; shift
  if eval "$@"; then echo "ok: $what"; else echo "FAILED: $what"; fails=$((fails + 1)); fi
}
run() { "$@" >out.txt 2>err.txt; echo $? >rc.txt; }

run "$@" demo Database.dat --count 500 --key K1
check "demo writes a catalogue" '[ "$(cat rc.txt)" = 0 ] && [ -s Database.dat ]'
run "$@" cat Database.dat --key K1
check "cat with the key gives 500 product lines of six TAB-separated fields" \
  '[ "$(wc -l <out.txt)" = 500 ] && [ "$(awk -F"\t" "NF != 6" out.txt | wc -l)" = 0 ]'
check "the file itself is scrambled" '! grep -q "TABLETS" Database.dat'
run "$@" cat Database.dat
check "cat without the key fails and says why" '[ "$(cat rc.txt)" = 1 ] && grep -q "scrambled" err.txt'

printf 'code,barcode,size,price,discount,description\r\n0012345,5000001,32,1.99,0,"ASPIRIN 300MG, DISPERSIBLE"\r\n' >good.csv
run "$@" import good.csv Database.dat
check "import replaces the database" '[ "$(cat rc.txt)" = 0 ]'
run "$@" cat Database.dat
check "imported lines are written in the product format" \
  '[ "$(cat out.txt)" = "$(printf "0012345\t5000001\t32\t1.990000\t0.000000\tASPIRIN 300MG, DISPERSIBLE")" ]'

printf 'A1,4006381333931,10,1,0,ALPHA\nB2,,10,1,0,BETA\n' >shop.csv
run "$@" import shop.csv Shop.dat --key K2
printf '\357\273\277A1,2\r\n"4006381333931",3\r\nZZ9,1\r\nB2,1000\r\n' >list.csv
run "$@" order-import list.csv Shop.dat Order.dat --key K2
check "a re-order list (UTF-8, CR LF) takes its usable rows, names the others by line and exits 3" \
  '[ "$(cat rc.txt)" = 3 ] && grep -q "line 3: No product with the code ZZ9" err.txt &&
   grep -q "line 4: The quantity 1000 is over 999" err.txt'
"$@" cat Order.dat --key K2 >out.txt
check "the barcode's row raised the item code's line" '[ "$(cut -f1,4 out.txt)" = "$(printf "A1\t5")" ]'
cp Order.dat order-before.dat
printf 'B2,1\nA1,"2\n' >broken.csv
run "$@" order-import broken.csv Shop.dat Order.dat --key K2
check "a list that can't be read adds nothing" \
  '[ "$(cat rc.txt)" = 1 ] && grep -q "Line 2: a quoted field is not closed" err.txt && cmp -s order-before.dat Order.dat'
cp Database.dat before.dat
printf '1,,10,1,0,A\n2,,10,1,0\n' >bad.csv
run "$@" import bad.csv Database.dat
check "a bad column count fails with exit 1" '[ "$(cat rc.txt)" = 1 ] && grep -q "row 2" err.txt'
check "and leaves the database as it was" 'cmp -s before.dat Database.dat'
run "$@" import missing.csv Other.dat
check "a missing input fails and writes nothing" '[ "$(cat rc.txt)" = 1 ] && [ ! -e Other.dat ]'
run "$@" demo no-such-folder/Database.dat --count 5
check "an unwritable target fails" '[ "$(cat rc.txt)" = 1 ]'
run "$@" frobnicate
check "an unknown command shows the usage" '[ "$(cat rc.txt)" = 2 ] && grep -q usage err.txt'
[ "$fails" = 0 ]
