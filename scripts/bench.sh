#!/usr/bin/env bash
# Prints the program's figures: scan speed against the bare registry calls
# under Wine, the scan's own per-key work natively, the 32-bit program's size
# and imports, and its start-up time against a minimal window program.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
scripts/setup.sh

echo "== building"
cmake -S . -B build/bench-native -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build build/bench-native -j"$(nproc)" --target scan_work_native >/dev/null
cmake --preset win32 >/dev/null && cmake --build build/win32 -j"$(nproc)" --target Quarnel >/dev/null
cmake --preset win64 >/dev/null
cmake --build build/win64 -j"$(nproc)" --target Quarnel scan_wine startup_wine minimal_window_wine >/dev/null

echo
echo "== machine: $(nproc) cores, $(grep -m1 'model name' /proc/cpuinfo | cut -d: -f2 | sed 's/^ //'), $(/usr/lib/wine/wine64 --version 2>/dev/null)"

echo
echo "== the 32-bit program"
exe=build/win32/Quarnel.exe
echo "Quarnel.exe: $(stat -c %s "$exe") bytes stripped ($(( $(stat -c %s "$exe") / 1024 )) KB), goal at most 300 KB"
echo "imports: $(i686-w64-mingw32-objdump -p "$exe" | sed -n 's/^[[:space:]]*DLL Name: //p' | sort -u | tr '\n' ' ')"

echo
echo "== native, simulated platform"
build/bench-native/scan_work_native

echo
echo "== under Wine (64-bit twin), real registry"
export WINEDEBUG=-all
xvfb_log=$(mktemp)
Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_log" 2>/dev/null &
xvfb_pid=$!
trap 'kill $xvfb_pid 2>/dev/null; rm -f "$xvfb_log"' EXIT
for _ in $(seq 100); do [ -s "$xvfb_log" ] && break; sleep 0.05; done
export DISPLAY=":$(head -n 1 "$xvfb_log")"
template=$root/build/wine/template
scripts/wine_prefix.sh "$template"
export WINEPREFIX=$root/build/wine/bench
rm -rf "$WINEPREFIX" && cp -a "$template" "$WINEPREFIX"
/usr/lib/wine/wine64 build/win64/scan_wine.exe
winpath() { echo "Z:$(realpath "$1" | tr / '\\')"; }
/usr/lib/wine/wine64 build/win64/startup_wine.exe "$(winpath build/win64/Quarnel.exe)" \
  "$(winpath build/win64/minimal_window_wine.exe)"
/usr/lib/wine/wineserver -k 2>/dev/null || true
