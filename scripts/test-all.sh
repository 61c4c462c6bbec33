#!/bin/sh
# Installs what is missing, builds everything and runs every test: the whole
# suite through ctest (window tests off-screen, the built program under a
# virtual X server), then the import core under the sanitizers and its fuzzer.
set -eu
cd "$(dirname "$0")/.."

scripts/install-packages.sh test
cmake -S . -B build -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build build -j"$(nproc)"
ctest --test-dir build --output-on-failure -j"$(nproc)"
scripts/check-core.sh
