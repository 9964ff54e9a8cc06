#!/usr/bin/env bash
# Set-up, release build of every target, and a demo render.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINDLE_TESTS=OFF -DZINDLE_BENCH=ON
cmake --build build/release -j "$jobs"

mkdir -p out
build/release/tools/zindle-render --demo -o out/demo.wav
echo "build: demo written to out/demo.wav"
