#!/usr/bin/env bash
# Builds the libFuzzer targets with clang (build-fuzz/) and runs each for
# SECONDS (default 60) over its seed corpus in tests/fuzz/corpus. A finding
# (crash, sanitizer report, leak, timeout) stops the script with an error and
# leaves the input in build-fuzz/findings/.
#   scripts/fuzz.sh [SECONDS]
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}

# libclang-rt-dev: libFuzzer and the sanitizers' runtime of the clang that
# Debian's clang package brings, whichever version that is.
bash scripts/install_missing.sh clang libclang-rt-dev

build=build-fuzz
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_C_COMPILER=clang \
  -DCMAKE_CXX_COMPILER=clang++ -DLEDGLYPH_FUZZ=ON -DLEDGLYPH_BUILD_UI=OFF -DLEDGLYPH_BUILD_TESTS=OFF >/dev/null
# The build's own tools (the font generator) are instrumented too: no leak report from them.
ASAN_OPTIONS=detect_leaks=0 cmake --build "$build" -j "$(nproc)" --target ledglyph_fuzzers

mkdir -p "$build/findings"
export ASAN_OPTIONS=abort_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
for target in hex_font font_file text_file conversion; do
  corpus="$build/corpus/$target" # new inputs go here; the seeds in the repository stay as they are
  mkdir -p "$corpus"
  echo "== fuzz_$target for ${seconds}s"
  "$build/fuzz-bin/fuzz_$target" -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 \
    -artifact_prefix="$build/findings/$target-" -print_final_stats=1 \
    "$corpus" "tests/fuzz/corpus/$target" 2>&1 | grep -E '^(#[0-9]+ +DONE|stat::number_of_executed_units|==|SUMMARY|INFO: Seed)|cov:' | tail -n 4
  status=${PIPESTATUS[0]}
  if [ "$status" -ne 0 ]; then
    echo "fuzz_$target found a fault (exit $status); the input is in $build/findings/" >&2
    exit 1
  fi
done
echo "Fuzzing passed: no finding in ${seconds}s per target."
