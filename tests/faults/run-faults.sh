#!/usr/bin/env bash
# Measures the power of the test suite: applies each deliberate fault in
# tests/faults/*.patch in turn, rebuilds, runs the test programs that the
# fault changed and records which tests fail, then reverts the fault.
#
#   tests/faults/run-faults.sh BUILD_DIR RESULTS_FILE [PATCH...]
#   tests/faults/run-faults.sh --compare BEFORE AFTER
#
# BUILD_DIR is a configured release build whose tests pass; DISPLAY should
# name an X server for the X11 tests. Only programs relinked by the fault
# run: the others cannot see it. Each results line reads "fault: failing
# tests" ("fault: -" when no test caught it). --compare lists the faults
# caught in BEFORE but not in AFTER and fails if any. FAULT_TARGETS, when
# set, names the build targets to rebuild (e.g. the toolkit's test programs).
set -uo pipefail
cd "$(dirname "$0")/../.."
src=$PWD

if [ "${1:-}" = "--compare" ]; then
  before=$2 after=$3 lost=0
  while IFS= read -r line; do
    fault=${line%%:*}
    [ "${line#*: }" = "-" ] && continue
    if ! grep -q "^$fault: [^-]" "$after"; then echo "no longer caught: $fault"; lost=1; fi
  done <"$before"
  echo "caught before: $(grep -vc ': -$' "$before")/$(wc -l <"$before")," \
       "after: $(grep -vc ': -$' "$after")/$(wc -l <"$after")"
  exit $lost
fi

build=$(cd "$1" && pwd) results=$2; shift 2
targets=()
for t in ${FAULT_TARGETS:-}; do targets+=(--target "$t"); done
patches=("$@")
[ ${#patches[@]} -eq 0 ] && patches=(tests/faults/*.patch)
: >"$results"
current=""
revert() { if [ -n "$current" ]; then git apply -R "$current"; current=""; fi; }
trap revert EXIT
trap 'revert; exit 130' INT TERM

cmake --build "$build" -j2 "${targets[@]}" >/dev/null || { echo "the clean build fails" >&2; exit 1; }
for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  log="$build/fault-$name.log"
  git apply "$patch" || { echo "$name: patch does not apply" | tee -a "$results"; continue; }
  current=$patch
  touch "$build/fault-stamp"; sleep 1
  if ! cmake --build "$build" -j2 "${targets[@]}" >"$log" 2>&1; then
    echo "$name: build failed" | tee -a "$results"
  else
    failed=""
    for exe in "$build"/tests/test_*; do
      [ -x "$exe" ] || continue
      # Programs that run the built plug-in and tools see a fault there too.
      if [ "$exe" -nt "$build/fault-stamp" ] || { [ "${exe##*/}" = test_tools ] &&
           [ -n "$(find "$build/plugin" "$build/tools" -maxdepth 1 -type f -newer "$build/fault-stamp")" ]; }; then
        : >"$log.part"
        (cd "$build/tests" && ZINDLE_TEST_DATA="$src/tests/data" timeout 600 "$exe" --gtest_brief=1 >"$log.part" 2>&1)
        rc=$?
        cat "$log.part" >>"$log"
        names=$(sed -n 's/^\[  FAILED  \] \([A-Za-z0-9_/.]*\).*/\1/p' "$log.part" | sort -u | tr '\n' ' ')
        [ $rc -ne 0 ] && [ -z "$names" ] && names="${exe##*/}(exit-$rc) "
        failed+=$names
      fi
    done
    if [ -n "$(find "$build/plugin" -maxdepth 1 -type f -newer "$build/fault-stamp")" ]; then
      "$build/tools/zindle-hostcheck" "$build/plugin/Zindle-BR.so" "$build/tests/hostcheck.f32" >>"$log" 2>&1 ||
        failed+="HostCheck.LinuxPlugin "
    fi
    echo "$name: ${failed:--}" | tee -a "$results"
  fi
  revert
  cmake --build "$build" -j2 "${targets[@]}" >/dev/null 2>&1
done
