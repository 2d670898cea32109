#!/usr/bin/env bash
# Builds the fuzz targets with clang, address and undefined-behaviour sanitizers and gives each
# a short run from its seed corpus. Any crash fails the run.
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${FUZZ_SECONDS:-20}

CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DPELLORA_FUZZ=ON -DPELLORA_BUILD_GUI=OFF \
  -DPELLORA_BUILD_TESTS=OFF -DCMAKE_BUILD_TYPE=RelWithDebInfo > build-fuzz.log
cmake --build build-fuzz -j2 >> build-fuzz.log

shopt -s nullglob
targets=(build-fuzz/fuzz/fuzz_*)
if [ ${#targets[@]} -eq 0 ]; then
  echo "no fuzz targets"
  exit 0
fi
for target in "${targets[@]}"; do
  name=$(basename "$target")
  corpus="fuzz/corpus/${name#fuzz_}"
  work=$(mktemp -d)
  cp -r "$corpus"/. "$work"/ 2>/dev/null || true
  echo "== $name (${seconds}s)"
  "$target" -max_total_time="$seconds" -max_len=65536 -rss_limit_mb=2048 -print_final_stats=0 "$work" 2> "build-fuzz/$name.log" \
    || { tail -n 40 "build-fuzz/$name.log"; exit 1; }
  grep -E "^#[0-9]+.*DONE" "build-fuzz/$name.log" || tail -n 1 "build-fuzz/$name.log"
  rm -rf "$work"
done
echo "fuzz: ${#targets[@]} passed, 0 failed"
