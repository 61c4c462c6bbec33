#!/bin/sh
# Builds Velmora and starts it against the demo bank that stands in for Zandor.
set -eu
cd "$(dirname "$0")/.."

scripts/install-packages.sh run
cmake -S . -B build-demo -DCMAKE_BUILD_TYPE=Release \
      -DVELMORA_BUILD_TESTS=OFF -DVELMORA_BUILD_BENCHMARKS=OFF >/dev/null
cmake --build build-demo -j"$(nproc)"
scripts/prepare-demo-bank.sh
echo "Beispieldatei: $(pwd)/examples/beispiel.qif"
exec build-demo/Velmora.app/Contents/MacOS/Velmora
