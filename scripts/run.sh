#!/usr/bin/env bash
# Builds the program and runs it. Installs missing system packages first.
set -euo pipefail
cd "$(dirname "$0")/.."

scripts/install-deps.sh

cmake -S . -B build -G Ninja
cmake --build build -j2 --target pellora-wl
build/tools/pellora-wl check res/sample.wl
