#!/usr/bin/env bash
# Measures the power of the test suite: applies each deliberate fault in
# tests/faults/*.patch in turn, rebuilds, runs the tests and records which
# tests fail, then reverts the fault.
#
#   tests/faults/run-faults.sh BUILD_DIR RESULTS_FILE [PATCH...]
#   tests/faults/run-faults.sh --compare BEFORE AFTER
#
# BUILD_DIR is a configured release build. Each results line reads
# "fault: failing tests" ("fault: -" when no test caught it). --compare
# lists the faults caught in BEFORE but not in AFTER and fails if any.
set -uo pipefail
cd "$(dirname "$0")/../.."

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

build=$1 results=$2; shift 2
patches=("$@")
[ ${#patches[@]} -eq 0 ] && patches=(tests/faults/*.patch)
: >"$results"
current=""
revert() { if [ -n "$current" ]; then git apply -R "$current"; current=""; fi; }
trap revert EXIT
trap 'revert; exit 130' INT TERM

for patch in "${patches[@]}"; do
  name=$(basename "$patch" .patch)
  git apply "$patch" || { echo "$name: patch does not apply" | tee -a "$results"; continue; }
  current=$patch
  if ! cmake --build "$build" -j2 >"$build/fault-$name.log" 2>&1; then
    echo "$name: build failed" | tee -a "$results"
  else
    (cd "$build" && ctest -j2 --timeout 120 >>"fault-$name.log" 2>&1)
    # The names ctest lists after "The following tests FAILED:".
    failed=$(sed -n '/The following tests FAILED:/,$s/^[[:space:]]*[0-9]* - \([^ ]*\) (.*)$/\1/p' \
      "$build/fault-$name.log" | sort -u | tr '\n' ' ')
    echo "$name: ${failed:--}" | tee -a "$results"
  fi
  revert
done
