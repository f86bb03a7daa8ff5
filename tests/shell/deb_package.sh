#!/usr/bin/env bash
# CPack builds a .deb whose dependencies dpkg-shlibdeps computed from the
# program's libraries, with every installed file inside, and the program in
# it runs.
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
for lib in libqt6widgets6 libqt6gui6 libqt6core6 'libicu[0-9]' libc6 qt6-qpa-plugins; do
  if grep -qE "(^|, )${lib}" <<<"$depends"; then ok; else fail "Depends lacks $lib: $depends"; fi
done

listing=$(dpkg-deb -c "$deb")
id=io.github.petari.Petari
for file in ./usr/bin/petari \
            "./usr/share/applications/$id.desktop" \
            "./usr/share/icons/hicolor/scalable/apps/$id.svg" \
            "./usr/share/metainfo/$id.metainfo.xml" \
            "./usr/share/petari/ペタリ_はじめに読んでください.txt" \
            "./usr/share/petari/ペタリのヘルプ.html" \
            ./usr/share/man/man1/petari.1.gz; do
  if grep -qF " $file" <<<"$listing"; then ok; else fail "the package lacks $file"; fi
done

dpkg-deb -x "$deb" "$out/root"
if [ "$("$out/root/usr/bin/petari" --version 2>&1)" = "$("$petari" --version)" ]; then ok
else fail "the packaged program does not run"; fi
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
