#!/usr/bin/env bash
# Builds the fuzz targets (tests/fuzz) with clang, libFuzzer, ASan and UBSan in build-fuzz/ and
# runs each for SECONDS seconds (default 60), seeded with its committed corpus.
# Usage: scripts/fuzz.sh [SECONDS] [TARGET...]   (targets: the NAME of tests/fuzz/fuzz_NAME.cpp)
# New inputs gather in build-fuzz/corpus/TARGET; an input that breaks a rule or trips a sanitizer
# is kept in build-fuzz/findings/TARGET/, with the run's log beside it.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
[ $# -gt 0 ] && shift
targets=("$@")
if [ ${#targets[@]} -eq 0 ]; then
  for src in tests/fuzz/fuzz_*.cpp; do
    name=${src##*/fuzz_}
    targets+=("${name%.cpp}")
  done
fi

scripts/deps.sh
if ! command -v clang++ >/dev/null || [ ! -f "$(clang++ -print-file-name=libclang_rt.fuzzer-x86_64.a)" ]; then
  echo "Fuzzing needs clang with libFuzzer: apt-get install clang libclang-rt-14-dev" >&2
  exit 1
fi
launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DLUM_FUZZ=ON "${launcher[@]}" \
  >/dev/null
cmake --build build-fuzz --target fuzz_targets

export QT_QPA_PLATFORM=offscreen
export UBSAN_OPTIONS=print_stacktrace=1
export LSAN_OPTIONS=suppressions=$PWD/tests/fuzz/lsan.supp
status=0
printf '%-12s %10s %8s  %s\n' target runs exec/s result
for t in "${targets[@]}"; do
  mkdir -p "build-fuzz/corpus/$t" "build-fuzz/findings/$t"
  log="build-fuzz/findings/$t.log"
  result=ok
  if ! "build-fuzz/tests/fuzz/fuzz_$t" -max_total_time="$seconds" -timeout=10 -print_final_stats=1 \
      -artifact_prefix="build-fuzz/findings/$t/" "build-fuzz/corpus/$t" "tests/fuzz/corpus/$t" >"$log" 2>&1; then
    result="FAILED: see $log and build-fuzz/findings/$t/"
    status=1
  fi
  runs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log")
  rate=$(sed -n 's/^stat::average_exec_per_sec: *//p' "$log")
  printf '%-12s %10s %8s  %s\n' "$t" "${runs:-?}" "${rate:-?}" "$result"
done
exit $status
