#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (AddressSanitizer and
# UndefinedBehaviorSanitizer on) into build-fuzz/ and runs one of them on its
# corpus, then merges what it found back into fuzz/corpus/<target>/, kept
# small.  Needs Debian's clang (and its libclang-rt-14-dev).
#   scripts/fuzz.sh TARGET [SECONDS]    TARGET: decode_text, conversions, work_file
set -euo pipefail
cd "$(dirname "$0")/.."
target=${1:?usage: scripts/fuzz.sh TARGET [SECONDS]}
seconds=${2:-600}
build=${PETARI_FUZZ_BUILD_DIR:-build-fuzz}
flags="-fsanitize=address,undefined,float-cast-overflow,fuzzer-no-link -fno-sanitize-recover=all -fno-omit-frame-pointer"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DPETARI_BENCH=OFF -DPETARI_FUZZ=ON \
  -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_CXX_FLAGS="$flags" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" >/dev/null
cmake --build "$build" --target "fuzz_$target" -j "$(nproc)"
corpus=fuzz/corpus/$target
found=$(mktemp -d)
trap 'rm -rf "$found"' EXIT
export ASAN_OPTIONS=${ASAN_OPTIONS:-detect_leaks=0}
# New inputs go to a scratch folder first.
"$build/fuzz/fuzz_$target" -max_total_time="$seconds" -max_len=4096 -timeout=10 -rss_limit_mb=2048 \
  -print_final_stats=1 "$found" "$corpus"
# The corpus is then minimised afresh: of the old files and the new, only
# those that add coverage are kept.
minimal=$(mktemp -d)
"$build/fuzz/fuzz_$target" -merge=1 "$minimal" "$corpus" "$found"
rm -f "$corpus"/*
mv "$minimal"/* "$corpus"/
rmdir "$minimal"
echo "corpus $corpus: $(find "$corpus" -type f | wc -l) files, $(du -sh "$corpus" | cut -f1)"
