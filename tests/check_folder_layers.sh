#!/usr/bin/env bash
# Folders of src/ depend on lower layers only (the table in
# docs/architecture.md): an include of a folder of the same layer, such as a
# sibling window's, or of a higher one fails.  Nothing outside the main
# window reaches into it: every secondary window works through the document
# and the prompts, not the main window's controller.
set -euo pipefail
src=${1:?usage: check_folder_layers.sh SRC_DIR}
cd "$src"
declare -A layer=(
  [platform]=1 [document]=2 [copy]=3 [services]=3 [calendar]=4 [editing]=5
  [generators]=6 [table]=6 [price]=6 [filenames]=6 [dialogs]=6
  [mainwindow]=7 [app]=8
)
status=0
for dir in */; do
  dir=${dir%/}
  [ -n "${layer[$dir]:-}" ] || { echo "folder $dir/ has no layer"; status=1; }
done
edges=$(grep -rHo '#include "[a-z]*/' --include='*.h' --include='*.cpp' . |
        sed -E 's#^\./([a-z]+)/[^:]*:\#include "([a-z]+)/#\1 \2#' |
        awk '$1 != $2' | sort -u)
while read -r from to; do
  [ -z "$from" ] && continue
  [ -n "${layer[$from]:-}" ] && [ -n "${layer[$to]:-}" ] || continue
  if (( layer[$to] >= layer[$from] )); then
    echo "$from/ (layer ${layer[$from]}) includes $to/ (layer ${layer[$to]})"; status=1
  fi
done <<<"$edges"
# main.cpp starts the main window; nothing else of app/ may reach into it.
if grep -rl '#include "mainwindow/' app | grep -vx 'app/main.cpp'; then status=1; fi
bad=$(grep -rl 'MainController.h' . | grep -v '^\./mainwindow/' || true)
[ -n "$bad" ] && { echo "MainController.h included outside the main window: $bad"; status=1; }
exit $status
