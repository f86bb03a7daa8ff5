#!/usr/bin/env bash
# Builds ペタリ and starts it; arguments are passed to the program.  Installs
# only what building and running the program needs, and builds the program
# alone (test.sh adds the tests).
set -euo pipefail
cd "$(dirname "$0")"
bash scripts/build.sh --program
exec "${PETARI_BUILD_DIR:-build}/petari" "$@"
