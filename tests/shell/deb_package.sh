#!/usr/bin/env bash
# CPack builds a .deb whose dependencies dpkg-shlibdeps computed from the
# program's libraries, with every installed file inside, and the program in
# it runs.  It carries Debian's copyright and changelog, Qt's Japanese as a
# dependency and PNG icons of every size, and lintian finds no error in it.
set -u
petari="$1"
build=$(cd "$(dirname "$petari")" && pwd)
out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
export QT_QPA_PLATFORM=offscreen
unset DISPLAY WAYLAND_DISPLAY
passed=0 failed=0
ok() { passed=$((passed + 1)); }
fail() { failed=$((failed + 1)); echo "FAIL: $*"; }

if (cd "$out" && cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1); then ok
else fail "cpack"; cat "$out/cpack.log"; fi
deb=$(ls "$out"/petari_*.deb 2>/dev/null | head -n1)
[ -n "$deb" ] || { fail "no package made"; echo "$passed passed, $failed failed"; exit 1; }

version=$("$petari" --version); version=${version##* }
if [ "$(dpkg-deb -f "$deb" Version)" = "$version" ]; then ok; else fail "package version $(dpkg-deb -f "$deb" Version), program $version"; fi
depends=$(dpkg-deb -f "$deb" Depends)
for lib in libqt6widgets6 libqt6gui6 libqt6core6 'libicu[0-9]' libc6 qt6-qpa-plugins qt6-translations-l10n; do
  if grep -qE "(^|, )${lib}" <<<"$depends"; then ok; else fail "Depends lacks $lib: $depends"; fi
done
recommends=$(dpkg-deb -f "$deb" Recommends)
if grep -qE "(^|, )fonts-ipafont-gothic" <<<"$recommends"; then ok; else fail "Recommends lacks a Japanese font: $recommends"; fi

listing=$(dpkg-deb -c "$deb")
id=io.github.petari.Petari
for file in ./usr/bin/petari \
            "./usr/share/applications/$id.desktop" \
            "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
            "./usr/share/metainfo/$id.metainfo.xml" \
            "./usr/share/petari/ペタリ_はじめに読んでください.txt" \
            "./usr/share/petari/ペタリのヘルプ.html" \
            ./usr/share/man/man1/petari.1.gz \
            ./usr/share/doc/petari/copyright \
            ./usr/share/doc/petari/changelog.gz \
            ./usr/share/doc/petari/README.md; do
  if grep -qF " $file" <<<"$listing"; then ok; else fail "the package lacks $file"; fi
done

dpkg-deb -x "$deb" "$out/root"
for size in 16 24 32 48 64 128 256; do
  png="$out/root/usr/share/icons/hicolor/${size}x${size}/apps/$id.png"
  if file "$png" 2>/dev/null | grep -q "PNG image data, $size x $size,"; then ok
  else fail "no $size px PNG icon: $(file "$png" 2>&1)"; fi
done

doc="$out/root/usr/share/doc/petari"
# The machine-readable format, its licence named by its short name.
if [ "$(head -n1 "$doc/copyright")" = "Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/" ] \
   && grep -qx "License: GPL-3+" "$doc/copyright"; then ok
else fail "copyright is not machine-readable with License: GPL-3+"; fi
gzip -dc "$doc/changelog.gz" >"$out/changelog"
if [ "$(dpkg-parsechangelog -l "$out/changelog" -S Version 2>&1)" = "$version" ]; then ok
else fail "the newest changelog entry is $(dpkg-parsechangelog -l "$out/changelog" -S Version 2>&1), the program $version"; fi

# Errors fail (lintian exits 1 on them, 2 when it could not check);
# warnings are printed for the reader.
lintian --tag-display-limit 0 --fail-on error "$deb" >"$out/lintian.log" 2>&1
status=$?
if [ "$status" -eq 0 ] && ! grep -q '^E: ' "$out/lintian.log"; then ok; grep '^W: ' "$out/lintian.log"
else fail "lintian exited with $status"; cat "$out/lintian.log"; fi
if [ "$("$out/root/usr/bin/petari" --version 2>&1)" = "$("$petari" --version)" ]; then ok
else fail "the packaged program does not run"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
