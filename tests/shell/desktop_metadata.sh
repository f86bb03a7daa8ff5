#!/usr/bin/env bash
# The desktop entry and the AppStream metadata pass their validators; the
# icon and the launchable they name are the files that are installed.
set -u
data="$(cd "$(dirname "$0")/../../data" && pwd)"
id=io.github.petari.Petari
passed=0 failed=0
check() {  # name, command...
  local name="$1"; shift
  if out=$("$@" 2>&1); then passed=$((passed + 1)); else failed=$((failed + 1)); echo "FAIL: $name"; echo "$out"; fi
}
check "desktop-file-validate" desktop-file-validate "$data/$id.desktop"
check "appstreamcli validate" appstreamcli validate --no-net "$data/$id.metainfo.xml"
check "icon named by the entry exists" test -f "$data/icons/$(sed -n 's/^Icon=//p' "$data/$id.desktop").svg"
check "metainfo launches the entry" grep -q "<launchable type=\"desktop-id\">$id.desktop</launchable>" "$data/$id.metainfo.xml"
check "entry opens files with petari" grep -qx 'Exec=petari %f' "$data/$id.desktop"
# One licence, named alike in the AppStream file (SPDX), Debian's copyright
# file (its short name) and the licence text of the sources.
check "metainfo names the project licence" grep -qx '  <project_license>GPL-3.0-or-later</project_license>' "$data/$id.metainfo.xml"
check "metainfo's own licence is CC0" grep -qx '  <metadata_license>CC0-1.0</metadata_license>' "$data/$id.metainfo.xml"
check "copyright names the same licence" grep -qx 'License: GPL-3+' "$data/copyright"
check "LICENSE is the GPL, version 3" grep -qx '                       Version 3, 29 June 2007' "$data/../LICENSE"
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
