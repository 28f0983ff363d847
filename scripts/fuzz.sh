#!/usr/bin/env bash
# Fuzzes the job-file reader and the clipboard parser with libFuzzer (clang,
# ASan, UBSan). Not part of CI.
# Usage: scripts/fuzz.sh [SECONDS] [extra libFuzzer flags...]
# VELQUIRA_FUZZ_OBJETIVO=fuzz_ajustes fuzzes the settings reader instead.
# A crash, leak or timeout leaves its input as crash-*, leak-* or timeout-* in
# build-fuzz/hallazgos/; reproduce with build-fuzz/bin/<target> FILE.
set -euo pipefail
cd "$(dirname "$0")/.."
segundos="${1:-60}"
[ $# -gt 0 ] && shift
objetivo="${VELQUIRA_FUZZ_OBJETIVO:-fuzz_lector}"

bash scripts/deps.sh clang-14 libclang-rt-14-dev cmake ninja-build qt6-base-dev qt6-base-dev-tools \
  qt6-svg-dev libgl-dev

if [ ! -f build-fuzz/CMakeCache.txt ]; then
  CC=clang-14 CXX=clang++-14 cmake -S . -B build-fuzz -G Ninja \
    -DCMAKE_BUILD_TYPE=RelWithDebInfo -DVELQUIRA_FUZZ=ON
fi
cmake --build build-fuzz -j2 --target "$objetivo"

if [ "$objetivo" = fuzz_ajustes ]; then
  # Settings files are written to a scratch folder at every input: keep it in memory.
  trabajo=build-fuzz/corpus-ajustes
  mkdir -p "$trabajo" build-fuzz/hallazgos
  cp -n fuzz/corpus_ajustes/*.ini "$trabajo"/ 2>/dev/null || true
  TMPDIR="${TMPDIR:-/dev/shm}" ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
  UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
    build-fuzz/bin/fuzz_ajustes "$trabajo" -artifact_prefix=build-fuzz/hallazgos/ \
    -max_total_time="$segundos" -max_len=8192 -rss_limit_mb=2048 -timeout=10 \
    -print_final_stats=1 "$@"
  exit
fi

# The fuzzer adds what it finds to its first corpus folder: work on a copy so
# the seeds in the repository stay as they are.
trabajo=build-fuzz/corpus-run
hallazgos=build-fuzz/hallazgos
mkdir -p "$trabajo" "$hallazgos"
cp -n fuzz/corpus/*.zul fuzz/corpus/*.bin "$trabajo"/ 2>/dev/null || true

# Tokens the format is built from, so mutations reach past the first line.
cat > build-fuzz/lector.dict <<'DICT'
"<{ZUL54-091-560202}>"
"***&&&***"
"\x0d\x0a"
"True"
"False"
" 0 "
" 1 "
"-1 "
" 32767 "
" 32768 "
" 2147483647 "
" 2147483648 "
" 283500 "
" 0,5 "
"1.5"
"E+"
"E-"
"\xef\xbb\xbf"
"ZUL"
"\x09"
"Falso"
"Verdadero"
DICT

ASAN_OPTIONS="${ASAN_OPTIONS:-detect_leaks=1}" \
UBSAN_OPTIONS="${UBSAN_OPTIONS:-print_stacktrace=1}" \
  build-fuzz/bin/fuzz_lector "$trabajo" \
  -dict=build-fuzz/lector.dict \
  -artifact_prefix="$hallazgos/" \
  -max_total_time="$segundos" -max_len=200000 -rss_limit_mb=2048 -timeout=10 \
  -print_final_stats=1 "$@"
