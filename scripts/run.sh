#!/usr/bin/env bash
# Builds the program and runs it in the learner's data folder. Installs missing system
# packages first. The sample word list (as default.wl), the background music and the help file
# are copied into the data folder on first use; the learner's own files are never replaced.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$(pwd)"

scripts/install-deps.sh

cmake -S . -B build -G Ninja
cmake --build build -j2 --target pellora

data="${XDG_DATA_HOME:-$HOME/.local/share}/harbor-lessons"
mkdir -p "$data"
copy_once() {
  if [ -f "$1" ] && [ ! -e "$data/$2" ]; then cp "$1" "$data/$2"; fi
}
copy_once res/sample.wl default.wl
copy_once res/default.mid default.mid
copy_once res/help/HARBORLESSONS.HLP HARBORLESSONS.HLP

cd "$data"
exec "$root/build/src/pellora"
