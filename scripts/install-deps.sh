#!/usr/bin/env bash
# Installs the Debian packages the build, the program and the tests need, when missing.
# Runs as root or through sudo; does nothing when everything is there.
set -euo pipefail

packages=(
  cmake ninja-build g++ clang libclang-rt-dev pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev libicu-dev
  qt6-base-dev qt6-base-dev-tools libgl-dev qt6-translations-l10n qt6-charts-dev libqt6opengl6-dev
  libfluidsynth-dev fluid-soundfont-gm
  libsqlite3-dev
  fonts-ipafont-gothic fonts-noto-cjk
  xvfb xauth
  desktop-file-utils appstream shared-mime-info libxml2-utils man-db
)
if [ "${1:-}" = "--gui-runtime-only" ]; then shift; fi

missing=()
for package in "${packages[@]}"; do
  status=$(dpkg-query -W -f='${Status}' "$package" 2>/dev/null || true)
  case "$status" in
    *"install ok installed"*) ;;
    *) missing+=("$package") ;;
  esac
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
if [ "$(id -u)" -eq 0 ]; then sudo=(); else sudo=(sudo); fi
export DEBIAN_FRONTEND=noninteractive
"${sudo[@]}" apt-get update -q
"${sudo[@]}" apt-get install -y -q --no-install-recommends "${missing[@]}"
