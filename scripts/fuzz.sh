#!/usr/bin/env bash
# Builds the libFuzzer targets of the file readers with clang in build/fuzz
# and runs each of them for the given seconds (default 10), all at once.
# Each run starts from a copy of fuzz/corpus/<target>/ (the committed seeds
# are never written to). Exits non-zero when any target reports a crash,
# leak, undefined behaviour or hang; the inputs that caused it are kept in
# build/fuzz/artifacts/<target>/.
#
#   scripts/fuzz.sh [seconds]
#   FUZZ_TARGETS="fuzz_race_files fuzz_settings_file" scripts/fuzz.sh 600
#   FUZZ_JOBS=8 scripts/fuzz.sh 600      # at most 8 targets at a time
set -euo pipefail

seconds="${1:-10}"
root="$(cd "$(dirname "$0")/.." && pwd)"
build="$root/build/fuzz"

cmake -S "$root" -B "$build" -G Ninja \
  -DCMAKE_BUILD_TYPE=Debug \
  -DCMAKE_C_COMPILER=clang -DCMAKE_CXX_COMPILER=clang++ \
  -DZIRPA_FUZZ=ON -DZIRPA_TESTS=OFF >/dev/null
cmake --build "$build" -j"$(nproc)"

all_targets="fuzz_club_records fuzz_athlete_records fuzz_race_headers fuzz_settings_file
fuzz_window_positions fuzz_race_files fuzz_combination_file fuzz_cup_file
fuzz_banner_file"
targets="${FUZZ_TARGETS:-$all_targets}"
jobs="${FUZZ_JOBS:-$(nproc)}"

# The readers' write-backs sync every file to disk; on
# a memory file system that costs nothing, on a busy disk it can take seconds.
scratch="${TMPDIR:-/tmp}"
if [[ -d /dev/shm && -w /dev/shm ]]; then scratch=/dev/shm; fi
run="$(mktemp -d "$scratch/zirpa-fuzz-run.XXXXXX")"
run="$(cd "$run" && pwd)"
trap 'rm -rf "$run"' EXIT

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS="detect_leaks=1:abort_on_error=0:allocator_may_return_null=0"
export UBSAN_OPTIONS="halt_on_error=1:print_stacktrace=1"
if [[ -f "$root/fuzz/lsan.supp" ]]; then
  export LSAN_OPTIONS="suppressions=$root/fuzz/lsan.supp:print_suppressions=0"
fi

start_target() {
  local t="$1"
  mkdir -p "$run/$t/corpus" "$run/$t/tmp" "$build/artifacts/$t"
  if [[ -d "$root/fuzz/corpus/$t" ]]; then
    cp "$root/fuzz/corpus/$t/"* "$run/$t/corpus/" 2>/dev/null || true
  fi
  # TMPDIR: each target's private working directory lies inside the run folder.
  TMPDIR="$run/$t/tmp" "$build/fuzz/$t" \
    -max_total_time="$seconds" -max_len=200000 -timeout=25 -print_final_stats=1 \
    -artifact_prefix="$build/artifacts/$t/" "$run/$t/corpus" >"$run/$t/log" 2>&1 &
  pids[$t]=$!
}

# A corpus given by a relative path must stay the target's corpus after the
# target has moved into its private working directory: new inputs land there.
relative_path_check() {
  local t=fuzz_club_records
  mkdir -p "$run/relative/corpus" "$run/relative/tmp"
  cp "$root/fuzz/corpus/$t/"* "$run/relative/corpus/"
  local before after
  before="$(find "$run/relative/corpus" -type f | wc -l)"
  (cd "$run/relative" && TMPDIR="$run/relative/tmp" "$build/fuzz/$t" -runs=2000 -seed=1 corpus \
    >"$run/relative/log" 2>&1) || true
  after="$(find "$run/relative/corpus" -type f | wc -l)"
  if (( after <= before )); then
    echo "fuzz: a relative corpus path gained no inputs ($before before, $after after)" >&2
    cat "$run/relative/log" >&2
    exit 1
  fi
}
relative_path_check

declare -A pids=()
declare -A rcs=()
running=()
for t in $targets; do
  while (( ${#running[@]} >= jobs )); do
    wait -n || true
    still=()
    for r in "${running[@]}"; do
      if kill -0 "${pids[$r]}" 2>/dev/null; then still+=("$r"); fi
    done
    running=("${still[@]}")
  done
  start_target "$t"
  running+=("$t")
done

failed=0
passed=0
faulty=0
printf '%-24s %12s %8s %8s %s\n' target executions seconds corpus result
for t in $targets; do
  rc=0
  wait "${pids[$t]}" || rc=$?
  log="$run/$t/log"
  execs="$(grep -o 'stat::number_of_executed_units: *[0-9]*' "$log" | grep -o '[0-9]*$' || echo '?')"
  secs="$(grep -o 'Done [0-9]* runs in [0-9]* second' "$log" | grep -o 'in [0-9]*' | grep -o '[0-9]*' || echo "$seconds")"
  corpus="$(find "$run/$t/corpus" -type f | wc -l)"
  if [[ $rc -ne 0 ]] || grep -qE 'ERROR: (AddressSanitizer|LeakSanitizer|libFuzzer)|runtime error:|SUMMARY: UndefinedBehaviorSanitizer' "$log"; then
    result="FAULT (rc $rc)"
    failed=1
    faulty=$((faulty + 1))
    cp "$log" "$build/artifacts/$t/log.txt"
  else
    result=ok
    passed=$((passed + 1))
  fi
  printf '%-24s %12s %8s %8s %s\n' "$t" "$execs" "$secs" "$corpus" "$result"
done

echo "fuzz: $passed passed, $faulty failed"

if (( failed )); then
  echo "fuzzing found faults; logs and inputs in $build/artifacts/" >&2
  for t in $targets; do
    if [[ -f "$build/artifacts/$t/log.txt" ]]; then
      echo "---- $t" >&2
      grep -E -A25 'ERROR: |runtime error:' "$build/artifacts/$t/log.txt" | head -40 >&2 || true
    fi
  done
  exit 1
fi
