#!/usr/bin/env bash
# Tries the whole job on this machine: builds the 64-bit tool, makes a
# throwaway Wine prefix holding the leftovers of several AutoCAD releases and
# runs the tool on it. With a display it opens the tool's window for you;
# without one it runs a scripted walk-through that chooses a release, answers
# the boxes, prints what was listed and deleted and saves screenshots.
# Everything stays under build/win64/run; your own Wine prefix is not touched.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD
build=${QUARNEL_RUN_BUILD_DIR:-build/win64}
run=$root/$build/run
wine=/usr/lib/wine/wine64
export WINEDEBUG=-all
# Code page 936, so the Chinese product names read as they do on a Chinese
# Windows. Given per command: bash itself would warn where the locale is not
# generated, and Wine needs no generated locale.
chinese=(env LC_ALL=zh_CN.UTF-8)

say() { printf '\n== %s\n' "$*"; }

say "Installing what is missing"
scripts/setup.sh

say "Building the 64-bit tool and its drivers in $build"
if [ "$build" = build/win64 ]; then cmake --preset win64 >/dev/null; fi
cmake --build "$build" -j"$(nproc)"
tool=$root/$build/Quarnel.exe
driver=$root/$build/cleanup_driver.exe

say "Preparing a template Wine prefix (once)"
mkdir -p "$run"
scripts/wine_prefix.sh "$run/template"

if [ -n "${DISPLAY:-}" ] && xdpyinfo >/dev/null 2>&1; then
  say "Starting the tool on $DISPLAY"
  prefix=$run/prefix
  rm -rf "$prefix"
  cp -a "$run/template" "$prefix"
  export WINEPREFIX=$prefix
  # A real display has a window manager: let it manage Wine's windows.
  "$wine" reg delete 'HKCU\Software\Wine\X11 Driver' /v Managed /f >/dev/null 2>&1 || true
  (cd "$run" && "${chinese[@]}" "$wine" "$driver" --seed)
  echo "Choose a release, look at what it lists, press 清理 and answer the boxes."
  echo "The prefix is $prefix; close the window to end."
  "${chinese[@]}" "$wine" "$tool" || true
  /usr/lib/wine/wineserver -w
  echo "The tool has ended. To look at the registry it left:"
  echo "  WINEPREFIX=$prefix $wine regedit"
  exit 0
fi

say "No display: a scripted walk-through on a virtual one"
unset DISPLAY
# wine_scenario.sh copies the template into a throwaway prefix, starts Xvfb
# and the driver, which seeds the prefix and works the tool step by step.
# Left out: the tool's hidden reg commands talking (in code page 936), and
# bash and wineserver notes that say nothing about the run.
set +e
(cd "$run" && QUARNEL_WINE_TEMPLATE=$run/template "${chinese[@]}" \
  bash "$root/scripts/wine_scenario.sh" walkthrough "$driver" "$tool") 2>&1 |
  grep -av -e '^reg: ' -e '^wineserver: could not save' -e 'setlocale: LC_ALL'
status=${PIPESTATUS[0]}
set -e
echo
echo "Screenshots and the seeded .reg file are in $run/scenarios/walkthrough:"
ls "$run/scenarios/walkthrough" | grep -E '\.(png|reg)$' | sed 's/^/  /'
if [ "$status" -eq 0 ]; then
  echo "The walk-through ended as expected."
else
  echo "The walk-through found a problem (exit $status); its prefix is kept in $run/scenarios/walkthrough/prefix."
fi
exit "$status"
