#!/usr/bin/env bash
# Set-up, release builds of every target (Linux, Windows x86_64 and i686),
# and a demo rendered through the built Linux plug-in.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
# Configurations are the presets of CMakePresets.json; each builds in build/<preset>.
cmake --preset release
cmake --build --preset release -j "$jobs"

# Windows builds take the bank and artwork generators of the native release build.
for arch in x86_64 i686; do
  cmake --preset "win-$arch"
  cmake --build --preset "win-$arch" -j "$jobs"
done

mkdir -p out
build/release/tools/zindle-render --demo -o out/demo.wav
echo "build: plug-ins in build/release/plugin/Zindle-BR.so, build/win-x86_64/plugin/Zindle-BR.dll,"
echo "       build/win-i686/plugin/Zindle-BR.dll; demo written to out/demo.wav"
