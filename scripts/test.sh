#!/usr/bin/env bash
# Builds everything and runs every test: unit and GUI tests through CTest, then a short run of
# each fuzz target over its corpus. Installs missing system packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja -DPELLORA_BUILD_BENCH=ON
cmake --build build -j2
QT_QPA_PLATFORM=offscreen ctest --test-dir build --output-on-failure -j2

scripts/fuzz-smoke.sh
