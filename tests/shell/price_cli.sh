#!/usr/bin/env bash
# The --price mode: the lines of known price tables, each option, and the
# refusal of bad values with exit code 2.
set -u
petari=$1
. "$(dirname "$0")/cli_common.bash"

# The defaults of a fresh installation.
"$petari" --price 100 >"$tmp/out" 2>"$tmp/err"
check "defaults exit" 0 $?
check "defaults line count" 20 "$(wc -l <"$tmp/out")"
check "defaults lines" "$(printf '  ¥110-\n  ¥220-\n  ¥990-\n¥1,100-\n¥2,200-')" \
  "$(sed -n '1p;2p;9p;10p;20p' "$tmp/out")"
check "defaults no diagnostics" "" "$(cat "$tmp/err")"
check "UTF-8 with LF only" "$(printf '  \xc2\xa5110-\n')" "$(head -1 "$tmp/out")"
if grep -q $'\r' "$tmp/out"; then echo "FAIL: CR in output"; fails=$((fails + 1)); fi

# The example row: tax 5, quantity 3, with the formula.
check "example row" "  ¥315- '' @100× 3個 ×1.05=  315" "$("$petari" --price 100 --tax 5 --formula | sed -n 3p)"
# Exact decimals, never a binary artefact.
check "0.1 x 3 x 1.1" "¥0.33- '' @0.1×3個 ×1.1=0.33" \
  "$("$petari" --price 0.1 --from 3 --to 3 --unit 0.01 --formula)"
check "100 x 3 x 1.1" "¥330-" "$("$petari" --price 100 --from 3 --to 3)"
# Rounding to a unit of 10, and a unit that is no power of ten.
one() { "$petari" --price "$1" --from 1 --to 1 --tax 0 --unit 10 "${@:2}"; }
check "half 314.9" "¥310-" "$(one 314.9 --round half)"
check "half 315" "¥320-" "$(one 315 --round half)"
check "up 310.0001" "¥320-" "$(one 310.0001 --round up)"
check "up 310" "¥310-" "$(one 310 --round up)"
check "down 319" "¥310-" "$(one 319 --round=down)"
check "unit 250 is 100" "¥300-" "$("$petari" --price 399 --from 1 --to 1 --tax 0 --unit 250)"
# Separators, alignment, prefix and suffix.
check "no separators, no alignment" "$(printf '110 円\n2200 円')" \
  "$("$petari" --price 100 --no-separators --align none --prefix "" --suffix " 円" | sed -n '1p;20p')"
check "align number" "$(printf '$  550\n$1,100')" \
  "$("$petari" --price 100 --from 5 --to 10 --step 5 --align number --prefix '$' --suffix=)"
check "align prefix" "$(printf '  ¥550-\n¥1,100-')" "$("$petari" --price 100 --from 5 --to 10 --step=5 --align prefix)"
# Quantities 5 to 2 give one line; a step of 0 counts as 1.
check "5 to 2" "¥550-" "$("$petari" --price 100 --from 5 --to 2)"
check "step 0" "$("$petari" --price 100 --to 3)" "$("$petari" --price 100 --to 3 --step 0)"

# Bad values: a message and the usage on standard error, nothing on standard output, exit 2.
bad() {
  "$petari" "$@" >"$tmp/out" 2>"$tmp/err"
  local rc=$?
  check "exit code of: $*" 2 "$rc"
  check "no output for: $*" "" "$(cat "$tmp/out")"
  if ! grep -q 'usage: petari --price' "$tmp/err"; then echo "FAIL: no usage for: $*"; fails=$((fails + 1)); fi
}
bad --price
bad --price abc
bad --price 12abc
bad --price -5
bad --price 100 200
bad --price 100 --from 1.5
bad --price 100 --to
bad --price 100 --step -1
bad --price 100 --tax ten
bad --price 100 --unit ""
bad --price 100 --round nearest
bad --price 100 --align left
bad --price 100 --formula=1
bad --price 100 --bogus
bad --price 1234567890123456
bad --price 100 --to 2000000
bad --price 100000000000000 --to 10
msg=$("$petari" --price 1234567890123456 2>&1 >/dev/null)
case $msg in *"15 significant digits"*) ;; *) echo "FAIL: unclear message: $msg"; fails=$((fails + 1)) ;; esac
case $("$petari" --help) in *"--price PRICE"*) ;; *) echo "FAIL: --help lacks --price"; fails=$((fails + 1)) ;; esac

if [ $fails -ne 0 ]; then echo "$fails failed"; exit 1; fi
echo "price_cli: all passed"
