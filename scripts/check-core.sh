#!/usr/bin/env bash
# The import core under AddressSanitizer and UndefinedBehaviorSanitizer (its
# tests, the shared QIF corpus included), then a minute of fuzzing seeded with
# that corpus. Any sanitizer report, failed test or crash fails the script.
set -euo pipefail

cd "$(dirname "${BASH_SOURCE[0]}")/.."
repo=$(pwd)
corpus="${VELMORA_QIF_CORPUS:-$repo/../shared/qif-corpus}"
fuzz_seconds="${VELMORA_FUZZ_SECONDS:-60}"
jobs=2

sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

echo "== core tests under the sanitizers"
cmake -S . -B build-san \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="$sanitizers" \
  -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
  -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCHMARKS=OFF -DVELMORA_BUILD_FUZZERS=OFF \
  -DVELMORA_QIF_CORPUS="$corpus"
cmake --build build-san -j"$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-san --output-on-failure -j"$jobs"

echo "== fuzzing reading and booking for ${fuzz_seconds} s"
cmake -S . -B build-fuzz \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF -DVELMORA_BUILD_FUZZERS=ON
cmake --build build-fuzz -j"$jobs" --target velmora_import_fuzzer

seeds=$(mktemp -d)
trap 'rm -rf "$seeds"' EXIT
if [[ -d "$corpus" ]]; then
  # The first byte of an input ticks the options: each file goes in with none and with all four.
  n=0
  while IFS= read -r -d '' file; do
    n=$((n + 1))
    cp "$file" "$seeds/plain-$n.qif"
    { printf '\017'; cat "$file"; } > "$seeds/ticked-$n.qif"
  done < <(find "$corpus" -name '*.qif' -type f -print0)
  chmod -R u+w "$seeds"
  echo "seeded with $n corpus files"
elif [[ "${VELMORA_REQUIRE_CORPUS:-0}" == "1" ]]; then
  echo "QIF corpus missing: $corpus" >&2
  exit 1
else
  echo "QIF corpus not found at $corpus; fuzzing from scratch"
fi

artifacts="$repo/build-fuzz/artifacts"
mkdir -p "$artifacts"
./build-fuzz/fuzz/velmora_import_fuzzer "$seeds" \
  -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
  -artifact_prefix="$artifacts/" -print_final_stats=1
echo "== core checks passed"
