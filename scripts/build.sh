#!/usr/bin/env bash
# Set-up, release builds of every target (Linux, Windows x86_64 and i686),
# and a demo rendered through the built Linux plug-in.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
cmake -S . -B build/release -G Ninja -DCMAKE_BUILD_TYPE=Release -DZINDLE_TESTS=OFF -DZINDLE_BENCH=ON
cmake --build build/release -j "$jobs"

# Windows builds take the bank and artwork generators of the native build.
for arch in x86_64 i686; do
  cmake -S . -B "build/win-$arch" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_TOOLCHAIN_FILE="cmake/toolchain-mingw-$arch.cmake" -DZINDLE_TESTS=OFF \
    -DZINDLE_BANKGEN="$PWD/build/release/tools/zindle-bankgen" \
    -DZINDLE_ARTGEN="$PWD/build/release/tools/zindle-artgen"
  cmake --build "build/win-$arch" -j "$jobs" --target Zindle-BR zindle-render
done

mkdir -p out
build/release/tools/zindle-render --demo -o out/demo.wav
echo "build: plug-ins in build/release/plugin/Zindle-BR.so, build/win-x86_64/plugin/Zindle-BR.dll,"
echo "       build/win-i686/plugin/Zindle-BR.dll; demo written to out/demo.wav"
