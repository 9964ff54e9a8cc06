#!/usr/bin/env bash
# Set-up, then the whole test suite: a release build, an AddressSanitizer +
# UndefinedBehaviorSanitizer build, a ThreadSanitizer build of the threaded
# tests, the Windows builds with their checks, and short libFuzzer runs of
# every parser.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh

jobs=$(nproc)
status=0

run_suite() {
  local dir=$1; shift
  cmake -S . -B "build/$dir" -G Ninja "$@"
  cmake --build "build/$dir" -j "$jobs"
  (cd "build/$dir" && ctest --output-on-failure -j "$jobs" ${CTEST_FILTER:-}) || status=1
}

# The editor's X11 tests run against a virtual display started here; the
# other suites run without one and skip them.
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
run_suite test-release -DCMAKE_BUILD_TYPE=Release -DZINDLE_BENCH=ON
stop_xvfb
echo "== Windows builds (exports, imports, the x86_64 DLL under wine)"
bash scripts/windows-checks.sh build/test-release || status=1
echo "== address + undefined behaviour sanitizers"
run_suite test-asan -DCMAKE_BUILD_TYPE=Debug -DZINDLE_SANITIZE=address,undefined
echo "== thread sanitizer (threaded tests)"
CTEST_FILTER="-R Thread" run_suite test-tsan -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZINDLE_SANITIZE=thread

if ls fuzz/fuzz_*.cpp >/dev/null 2>&1; then
  echo "== fuzz smoke runs"
  cmake -S . -B build/fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
    -DZINDLE_TESTS=OFF -DZINDLE_FUZZ=ON -DZINDLE_SANITIZE=address,undefined
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
