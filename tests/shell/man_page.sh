#!/usr/bin/env bash
# `petari --help` and `petari --version` agree with the manual page: every
# option of the usage text is described there, and the version the program
# prints is the one in the page's header.
set -u
petari="$1"
man="$(dirname "$0")/../../data/petari.1"
man_ja="$(dirname "$0")/../../data/petari.ja.1"
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

# The page writes a dash as \- ; read it as the program prints it.
page=$(sed 's/\\-/-/g' "$man")
options=$("$petari" --help | grep -oE -- '--[a-z][a-z-]*' | sort -u)
[ -n "$options" ] || fail "no options in --help"
page_ja=$(sed 's/\\-/-/g' "$man_ja")
for option in $options; do
  if grep -qE -- "(^|[^a-z-])${option}([^a-z-]|\$)" <<<"$page"; then ok; else fail "$option is not in the manual page"; fi
  if grep -qE -- "(^|[^a-z-])${option}([^a-z-]|\$)" <<<"$page_ja"; then ok; else fail "$option is not in the Japanese manual page"; fi
done
# Each option has its line of description in either language.
top=$(LANG=C LC_ALL= "$petari" --help | sed -nE 's/^  (-[a-zA-Z], )?(--[a-z][a-z-]*).*/\2/p')
[ "$(wc -w <<<"$top")" -ge 10 ] || fail "too few option lines in --help: $top"
for lang in ja_JP.UTF-8 C.UTF-8; do
  help=$(LANG=$lang LC_ALL= LC_MESSAGES= LANGUAGE= "$petari" --help)
  for option in $top; do
    if grep -qE -- "^  (-[a-zA-Z], )?${option}( |\$)" <<<"$help"; then ok; else fail "$lang: no line for $option"; fi
  done
done
case $(LANG=ja_JP.UTF-8 LC_ALL= LANGUAGE= "$petari" --help) in
  *"使い方: petari"*"この説明を表示して終了する"*) ok ;; *) fail "the help is not Japanese under ja_JP" ;;
esac
case $(LANG=C LC_ALL= LANGUAGE= "$petari" --help) in
  *"Usage: petari"*"display this help and exit"*) ok ;; *) fail "the help is not English under C" ;;
esac

version=$("$petari" --version)
[ $? -eq 0 ] || fail "--version exit code"
case "$version" in
  "petari (ペタリ) "[0-9]*.[0-9]*.[0-9]*) ok ;;
  *) fail "--version printed [$version]" ;;
esac
number=${version##* }
if grep -q "^\.TH PETARI 1 \"[0-9-]*\" \"petari ${number}\"" "$man"; then ok; else fail "the page's header does not name version $number"; fi
if grep -qF "petari (ペタリ) ${number}" "$man"; then ok; else fail "the page does not quote the --version line"; fi
if grep -q "^\.TH PETARI 1 \"[0-9-]*\" \"petari ${number}\"" "$man_ja"; then ok; else fail "the Japanese page's header does not name version $number"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
