#!/usr/bin/env bash
# Builds ペタリ a second time with AddressSanitizer and UndefinedBehaviorSanitizer
# (GCC; float-cast-overflow included) into build-asan/ (or
# $PETARI_ASAN_BUILD_DIR) and runs every test there.  Any sanitizer report
# ends the process that made it with a failure, so the test fails.  The
# benchmarks are left out of this build.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/deps.sh test
build=${PETARI_ASAN_BUILD_DIR:-build-asan}
flags="-fsanitize=address,undefined,float-cast-overflow -fno-sanitize-recover=all -fno-omit-frame-pointer"
launcher=()
export CCACHE_BASEDIR=${CCACHE_BASEDIR:-$(cd .. && pwd)}
if command -v ccache >/dev/null; then launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache); fi
# -O1 keeps the build and the run quick enough for CI; the checks are the same.
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Debug -DPETARI_TESTS=ON -DPETARI_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="-O1 -g $flags" -DCMAKE_EXE_LINKER_FLAGS="$flags" "${launcher[@]}" "$@" >/dev/null
cmake --build "$build" -j "$(nproc)"
# Qt and fontconfig keep some memory until the process ends by design;
# LeakSanitizer would report that at every exit, so leak checks are off.
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0:abort_on_error=0:halt_on_error=1:detect_stack_use_after_return=0}
export UBSAN_OPTIONS=${UBSAN_OPTIONS:-print_stacktrace=1:halt_on_error=1}
export PETARI_SANITIZED=1
cd "$build"
ctest --output-on-failure -j "$(nproc)" --timeout 900
