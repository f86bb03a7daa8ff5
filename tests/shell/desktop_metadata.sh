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
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
