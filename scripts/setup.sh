#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build, run and test the tool.
# Quick and silent when everything is already there.
set -euo pipefail

packages=(
  cmake make g++ googletest libgtest-dev clang libclang-rt-14-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 mingw-w64-tools binutils-mingw-w64-i686
  wine64 wine xvfb x11-utils xdotool imagemagick fonts-wqy-microhei file
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "setup: installing ${missing[*]}"
  sudo_cmd=()
  [ "$(id -u)" -eq 0 ] || sudo_cmd=(sudo)
  "${sudo_cmd[@]}" apt-get update -qq
  DEBIAN_FRONTEND=noninteractive "${sudo_cmd[@]}" apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi
