#!/usr/bin/env bash
# Installs what the build and the tests need. Safe to run again: it only
# calls apt-get when a package is missing.
set -euo pipefail

packages=(
  build-essential cmake ninja-build pkg-config git ccache
  googletest libgtest-dev libgmock-dev libbenchmark-dev
  clang libclang-rt-14-dev
  libasound2-dev
  librsvg2-dev libcairo2-dev libfreetype-dev fonts-dejavu-core
  libx11-dev libxext-dev libxtst-dev libxres-dev libdbus-1-dev xvfb dbus-daemon
  libebur128-dev
  g++-multilib
  g++-mingw-w64-i686-posix g++-mingw-w64-x86-64-posix
  wine wine64
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  export DEBIAN_FRONTEND=noninteractive
  apt-get update -qq
  apt-get install -y -qq --no-install-recommends "${missing[@]}"
else
  echo "setup: all packages present"
fi
