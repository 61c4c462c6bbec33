#!/usr/bin/env bash
# Installs what is missing, builds everything and runs every test: the whole
# suite through ctest (window tests off-screen, the built program under a
# virtual X server), then the import core under the sanitizers and its
# fuzzer. Prints one line per stage; the full output lies in build/logs/.
# The last line counts every test that ran, passed or failed, also when a
# stage fails: "ctest: 120 passed, 0 failed".
set -euo pipefail
cd "$(dirname "${BASH_SOURCE[0]}")/.."
source scripts/stages.sh
all_started=$(date +%s)
ctest_logs=("$logs/ctest.log" "$logs/sanitizers.log")
rm -f "${ctest_logs[@]}"
trap 'ctest_count_line "${ctest_logs[@]}"' EXIT

summary_packages() { sed -n 's/^Installiere:/installiert:/p' "$1" | grep . || echo "alle vorhanden"; }
summary_build() {
    warnings=$(grep -c -E 'warning:|CMake Warning' "$1" || true)
    echo "$(grep -c 'Built target' "$1") Ziele gebaut, $warnings Warnungen"
}
summary_ctest() { ctest_counts "$1"; }
failure_ctest() { failing_tests "$1"; }
failure_build() { grep -E -B3 -A12 'error|Error|CMake Warning' "$1" | head -n 200; }

build_everything() {
    cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo
    cmake --build build -j"$(nproc)"
}

run_stage "Pakete" packages scripts/install-packages.sh test
run_stage "Bauen" build build_everything
run_stage "ctest" ctest ctest --test-dir build --output-on-failure -j"$(nproc)"
scripts/check-core.sh
echo "Alle Prüfungen bestanden ($(duration $(($(date +%s) - all_started))))"
