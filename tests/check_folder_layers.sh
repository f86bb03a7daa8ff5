#!/usr/bin/env bash
# Folders of src/ depend on each other in one direction only, and nothing
# outside the main window reaches into it: every secondary window works
# through the document and the prompts, not the main window's controller.
set -euo pipefail
src=${1:?usage: check_folder_layers.sh SRC_DIR}
cd "$src"
edges=$(grep -rHo '#include "[a-z]*/' --include='*.h' --include='*.cpp' . |
        sed -E 's#^\./([a-z]+)/[^:]*:\#include "([a-z]+)/#\1 \2#' |
        awk '$1 != $2' | sort -u)
status=0
while read -r from to; do
  [ -z "$from" ] && continue
  if grep -qx "$to $from" <<<"$edges"; then
    echo "folders include each other: $from <-> $to"; status=1
  fi
  if [ "$to" = mainwindow ] && [ "$from" != app ]; then
    echo "$from includes mainwindow/"; status=1
  fi
done <<<"$edges"
# main.cpp starts the main window; nothing else of app/ may reach into it.
if grep -rl '#include "mainwindow/' app | grep -vx 'app/main.cpp'; then status=1; fi
bad=$(grep -rl 'MainController.h' . | grep -v '^\./mainwindow/' || true)
[ -n "$bad" ] && { echo "MainController.h included outside the main window: $bad"; status=1; }
exit $status
