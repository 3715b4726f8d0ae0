#!/usr/bin/env bash
# Runs one driver program against the tool under Wine, in a fresh copy of the
# template prefix, on the display in DISPLAY (or on an Xvfb of its own when
# there is none), and serves the driver's screenshot requests.
# Usage: wine_scenario.sh NAME DRIVER.exe TOOL.exe
# The scenario folder is ./scenarios/NAME (in ctest's case, the build folder):
# the driver runs there and its screenshots stay there. The tool runs from a
# copy in NAME/app, so a scenario may put files beside it.
# Uses QUARNEL_WINE_TEMPLATE when set; otherwise makes ./scenarios/template.
set -uo pipefail
name=${1:?usage: wine_scenario.sh NAME DRIVER.exe TOOL.exe}
driver=$(realpath "${2:?driver exe}")
tool=$(realpath "${3:?tool exe}")
scripts=$(cd "$(dirname "$0")" && pwd)
root=$PWD/scenarios
dir=$root/$name
wine=/usr/lib/wine/wine64
limit_seconds=${QUARNEL_SCENARIO_TIMEOUT:-300}
export WINEDEBUG=-all

mkdir -p "$root"
template=${QUARNEL_WINE_TEMPLATE:-}
if [ -z "$template" ]; then
  template=$root/template
  # Scenarios may run in parallel; one of them makes the template.
  (flock 9 && bash "$scripts/wine_prefix.sh" "$template") 9>"$root/.template.lock" || exit 1
fi
[ -f "$template/system.reg" ] || { echo "wine_scenario: no template prefix at $template" >&2; exit 1; }

rm -rf "$dir"
mkdir -p "$dir/app"
cp -a "$template" "$dir/prefix" || exit 1
export WINEPREFIX=$dir/prefix
cp "$tool" "$dir/app/" || exit 1
tool_path="Z:$(tr / '\\' <<<"$dir/app/$(basename "$tool")")"

xvfb_pid=
cleanup() {
  /usr/lib/wine/wineserver -k 2>/dev/null
  [ -n "$xvfb_pid" ] && kill "$xvfb_pid" 2>/dev/null
  rm -f "$dir/xvfb.display"
}
trap cleanup EXIT

if [ -z "${DISPLAY:-}" ]; then
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$dir/xvfb.display" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 200); do [ -s "$dir/xvfb.display" ] && break; sleep 0.05; done
  [ -s "$dir/xvfb.display" ] || { echo "wine_scenario: Xvfb did not start" >&2; exit 1; }
  export DISPLAY=":$(head -n 1 "$dir/xvfb.display")"
fi

cd "$dir" || exit 1
"$wine" "$driver" "$tool_path" &
driver_pid=$!

# A request line is "NAME.png WxH+X+Y"; the done file tells the driver.
serve_screenshot() {
  local png geometry
  read -r png geometry <screenshot.request
  rm -f screenshot.request
  geometry=${geometry%$'\r'}
  if [[ $png =~ ^[A-Za-z0-9._-]+\.png$ && $geometry =~ ^[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+$ ]]; then
    import -window root -crop "$geometry" +repage "$dir/$png" 2>/dev/null && touch screenshot.done
  else
    echo "wine_scenario: bad screenshot request: $png $geometry" >&2
  fi
}

deadline=$((SECONDS + limit_seconds))
while kill -0 "$driver_pid" 2>/dev/null; do
  [ -f screenshot.request ] && serve_screenshot
  if [ "$SECONDS" -ge "$deadline" ]; then
    echo "wine_scenario: $name still running after ${limit_seconds}s, stopped" >&2
    kill "$driver_pid" 2>/dev/null
    break
  fi
  sleep 0.05
done
wait "$driver_pid"
status=$?

# The prefix is large; it is kept only to look into a failure.
[ "$status" -eq 0 ] && rm -rf "$dir/prefix"
exit "$status"
