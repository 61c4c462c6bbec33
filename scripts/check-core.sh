#!/usr/bin/env bash
# The import core under AddressSanitizer and UndefinedBehaviorSanitizer (its
# tests, the shared QIF corpus included), then a minute of fuzzing seeded with
# that corpus. Any sanitizer report, failed test or crash fails the script.
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/stages.sh
repo=$(pwd)
corpus="${VELMORA_QIF_CORPUS:-$repo/../shared/qif-corpus}"
fuzz_seconds="${VELMORA_FUZZ_SECONDS:-60}"
jobs=2
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer"

summary_sanitizers() { ctest_counts "$1"; echo ", keine Meldung der Sanitizer"; }
failure_sanitizers() { failing_tests "$1"; grep -E -A30 'ERROR: AddressSanitizer|runtime error:' "$1" | head -n 200; }
summary_fuzzing() {
    runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$1")
    corpus_size=$(grep -o 'corp: [0-9]*' "$1" | tail -n 1 | cut -d' ' -f2)
    echo "$runs Läufe in $fuzz_seconds s, Korpus $corpus_size Eingaben ($(grep -m1 '^Saat:' "$1"))"
}
failure_fuzzing() { grep -E -A40 '==ERROR|runtime error:|deadly signal|Test unit written' "$1" | head -n 200; }

sanitized_core_tests() {
    cmake -S . -B build-san \
      -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DCMAKE_CXX_FLAGS="$sanitizers" \
      -DCMAKE_EXE_LINKER_FLAGS="-fsanitize=address,undefined" \
      -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_BENCHMARKS=OFF -DVELMORA_BUILD_FUZZERS=OFF \
      -DVELMORA_QIF_CORPUS="$corpus"
    cmake --build build-san -j"$jobs"
    ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
      ctest --test-dir build-san --output-on-failure -j"$jobs"
}

# The first byte of an input ticks the options: each corpus file goes in with
# none and with all four.
seed_from_corpus() {
    if [[ -d "$corpus" ]]; then
        n=0
        while IFS= read -r -d '' file; do
            n=$((n + 1))
            cp "$file" "$seeds/plain-$n.qif"
            { printf '\017'; cat "$file"; } > "$seeds/ticked-$n.qif"
        done < <(find "$corpus" -name '*.qif' -type f -print0)
        chmod -R u+w "$seeds"
        echo "Saat: $n QIF-Dateien"
    elif [[ "${VELMORA_REQUIRE_CORPUS:-0}" == "1" ]]; then
        echo "QIF corpus missing: $corpus" >&2
        return 1
    else
        echo "Saat: keine, QIF-Korpus nicht gefunden: $corpus"
    fi
}

fuzz_reading_and_booking() {
    cmake -S . -B build-fuzz \
      -DCMAKE_CXX_COMPILER=clang++ \
      -DCMAKE_BUILD_TYPE=RelWithDebInfo \
      -DVELMORA_BUILD_GUI=OFF -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF -DVELMORA_BUILD_FUZZERS=ON
    cmake --build build-fuzz -j"$jobs" --target velmora_import_fuzzer
    seeds=$(mktemp -d)
    trap 'rm -rf "$seeds"' RETURN
    seed_from_corpus
    mkdir -p "$repo/build-fuzz/artifacts"
    ./build-fuzz/fuzz/velmora_import_fuzzer "$seeds" \
      -max_total_time="$fuzz_seconds" -timeout=10 -rss_limit_mb=2048 -max_len=65536 \
      -artifact_prefix="$repo/build-fuzz/artifacts/" -print_final_stats=1
}

run_stage "Kern mit Sanitizern" sanitizers sanitized_core_tests
run_stage "Fuzzing" fuzzing fuzz_reading_and_booking
