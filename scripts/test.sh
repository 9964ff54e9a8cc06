#!/usr/bin/env bash
# Set-up, then the whole test suite: a release build, a 32-bit x86 build of
# the libraries and every suite, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a ThreadSanitizer build of the threaded
# tests, the Windows builds with their checks, and short libFuzzer runs of
# every parser.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
status=0

echo "== architecture (which library may include which: cmake/Architecture.cmake)"
cmake -P cmake/CheckArchitecture.cmake || status=1

# Each suite is a preset of CMakePresets.json and builds in build/<preset>;
# further arguments go to its configuration.
run_suite() {
  local preset=$1
  shift
  cmake --preset "$preset" "$@"
  cmake --build --preset "$preset" -j "$jobs"
  ctest --preset "$preset" -j "$jobs" || status=1
}

# The editor's X11 tests run against a virtual display started here; the
# 32-bit suite runs without one (it has no window layer).
xvfb_pid=
start_xvfb() {
  local n
  for n in $(seq 99 140); do
    [ -e "/tmp/.X$n-lock" ] || [ -e "/tmp/.X11-unix/X$n" ] || break
  done
  # -noreset: the server would otherwise restart whenever the last client
  # leaves, refusing the next test's connection meanwhile.
  Xvfb ":$n" -screen 0 2000x1200x24 -nolisten tcp -noreset >/dev/null 2>&1 &
  xvfb_pid=$!
  for _ in $(seq 50); do
    [ -e "/tmp/.X11-unix/X$n" ] && break
    sleep 0.1
  done
  export DISPLAY=":$n"
}
stop_xvfb() {
  if [ -n "$xvfb_pid" ]; then
    kill "$xvfb_pid" 2>/dev/null || true
    wait "$xvfb_pid" 2>/dev/null || true
    xvfb_pid=
    unset DISPLAY
  fi
}
trap stop_xvfb EXIT

echo "== release"
start_xvfb
run_suite test-release
stop_xvfb
echo "== 32-bit x86 (pointer size and alignment, the i686 DLL's code generation)"
# There are no 32-bit librsvg and cairo: the artwork comes from the release
# suite's generator, so this suite runs after it.
run_suite linux-x86-32 -DZINDLE_ARTGEN="$PWD/build/test-release/tools/zindle-artgen"
# SSE2 math without contraction gives the same numbers on both pointer
# sizes: the host check's rendering and an audition of every program.
for build in test-release linux-x86-32; do
  "build/$build/tools/zindle-render" --audition --float -o "build/$build/audition.wav" >/dev/null || status=1
done
for file in tests/hostcheck.f32 audition.wav; do
  cmp "build/test-release/$file" "build/linux-x86-32/$file" || { echo "32-bit $file differs from 64-bit"; status=1; }
done
echo "== Windows builds (exports, imports, the x86_64 DLL under wine)"
bash scripts/windows-checks.sh build/test-release || status=1
# The sanitizers watch the editor's life in a host window too.
echo "== address + undefined behaviour sanitizers"
start_xvfb
run_suite test-asan
stop_xvfb
echo "== thread sanitizer (threaded tests)"
start_xvfb
run_suite test-tsan
stop_xvfb

if ls fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  echo "== fuzz smoke runs"
  cmake --preset fuzz
  fuzz_targets=$(for f in fuzz/fuzz_*.cpp; do basename "$f" .cpp; done)
  cmake --build build/fuzz -j "$jobs" --target $fuzz_targets
  for f in build/fuzz/fuzz/fuzz_*; do
    [ -x "$f" ] || continue
    name=$(basename "$f")
    corpus="fuzz/corpus/${name#fuzz_}"
    mkdir -p "build/fuzz/work-$name"
    "$f" -max_total_time=30 -rss_limit_mb=2048 "build/fuzz/work-$name" $( [ -d "$corpus" ] && echo "$corpus" ) \
      >"build/fuzz/$name.log" 2>&1 || { echo "fuzz target $name failed:"; tail -40 "build/fuzz/$name.log"; status=1; }
    echo "fuzz $name: $(grep -c . "build/fuzz/$name.log") log lines, $(tail -1 "build/fuzz/$name.log")"
  done
fi

exit $status
