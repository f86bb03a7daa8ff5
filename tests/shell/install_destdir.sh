#!/usr/bin/env bash
# `cmake --install` into a staging folder puts every file in its place under
# the prefix, and the installed program runs from there.
set -u
petari="$1"
build=$(cd "$(dirname "$petari")" && pwd)
data="$(cd "$(dirname "$0")/../../data" && pwd)"
dest=$(mktemp -d)
trap 'rm -rf "$dest"' EXIT
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

if DESTDIR="$dest" cmake --install "$build" --prefix /usr >"$dest.log" 2>&1; then ok
else fail "cmake --install"; cat "$dest.log"; fi
rm -f "$dest.log"

id=io.github.petari.Petari
for file in usr/bin/petari \
            "usr/share/applications/$id.desktop" \
            "usr/share/icons/hicolor/scalable/apps/$id.svg" \
            "usr/share/metainfo/$id.metainfo.xml" \
            "usr/share/petari/ペタリ_はじめに読んでください.txt" \
            "usr/share/petari/ペタリのヘルプ.html" \
            usr/share/man/man1/petari.1.gz \
            usr/share/doc/petari/copyright \
            usr/share/doc/petari/changelog.gz \
            usr/share/doc/petari/README.md; do
  if [ -f "$dest/$file" ]; then ok; else fail "missing /$file"; fi
done
for size in 16 24 32 48 64 128 256; do
  png="usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if [ -f "$dest/$png" ]; then ok; else fail "missing /$png"; fi
done
if cmp -s "$data/ペタリ_はじめに読んでください.txt" "$dest/usr/share/petari/ペタリ_はじめに読んでください.txt"; then ok
else fail "the installed read-me differs from data/"; fi
if [ "$(gzip -dc "$dest/usr/share/man/man1/petari.1.gz" 2>/dev/null)" = "$(cat "$data/petari.1")" ]; then ok
else fail "the installed manual page differs from data/"; fi

installed="$dest/usr/bin/petari"
if [ "$("$installed" --version 2>&1)" = "$("$petari" --version)" ]; then ok
else fail "installed --version printed [$("$installed" --version 2>&1)]"; fi
got=$(printf 'ｶﾞｷﾞ abc' | "$installed" --convert full 2>&1)
if [ "$got" = "ガギ　ａｂｃ" ]; then ok; else fail "installed --convert full gave [$got]"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
