#!/usr/bin/env bash
# Builds ペタリ and starts it; arguments are passed to the program.
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh
exec "${PETARI_BUILD_DIR:-build}/petari" "$@"
