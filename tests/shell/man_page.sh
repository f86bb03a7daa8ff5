#!/usr/bin/env bash
# `petari --help` and `petari --version` agree with the manual page: every
# option of the usage text is described there, and the version the program
# prints is the one in the page's header.
set -u
petari="$1"
man="$(dirname "$0")/../../data/petari.1"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# The page writes a dash as \- ; read it as the program prints it.
page=$(sed 's/\\-/-/g' "$man")
options=$("$petari" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || fail "no options in --help"
for option in $options; do
  if grep -qE -- "(^|[^a-z-])${option}([^a-z-]|\$)" <<<"$page"; then ok; else fail "$option is not in the manual page"; fi
done

version=$("$petari" --version)
[ $? -eq 0 ] || fail "--version exit code"
case "$version" in
  "petari (ペタリ) "[0-9]*.[0-9]*.[0-9]*) ok ;;
  *) fail "--version printed [$version]" ;;
esac
number=${version##* }
if grep -q "^\.TH PETARI 1 \"[0-9-]*\" \"petari ${number}\"" "$man"; then ok; else fail "the page's header does not name version $number"; fi
if grep -qF "petari (ペタリ) ${number}" "$man"; then ok; else fail "the page does not quote the --version line"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
