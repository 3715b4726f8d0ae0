#!/usr/bin/env bash
# Builds everything and runs every test: the native unit tests on the simulated
# platform, the 32-bit program's form, and the 64-bit twin's tests under Wine.
set -uo pipefail
cd "$(dirname "$0")/.."
root=$PWD

scripts/setup.sh || exit 1

passed=0
failed=0
failures=()

# Runs ctest in a build folder and adds its counts to the totals.
run_ctest() {
  local label=$1 dir=$2
  shift 2
  echo "== $label"
  local log
  log=$(mktemp)
  (cd "$dir" && ctest --output-on-failure "$@") 2>&1 | tee "$log"
  local line total bad
  line=$(grep -E '[0-9]+ tests? failed out of [0-9]+' "$log" | tail -n 1)
  if [ -z "$line" ]; then
    failures+=("$label: ctest ran nothing")
    failed=$((failed + 1))
  else
    bad=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\1/' <<<"$line")
    total=$(sed -E 's/.* ([0-9]+) tests? failed out of ([0-9]+).*/\2/' <<<"$line")
    passed=$((passed + total - bad))
    failed=$((failed + bad))
    [ "$bad" -eq 0 ] || failures+=("$label: $bad of $total failed")
  fi
  rm -f "$log"
}

build() {
  local preset=$1
  shift
  echo "== build $preset"
  cmake --preset "$preset" >/dev/null && cmake --build "build/$preset" -j"$(nproc)" "$@"
}

# 1. Native: logic against the simulated platform.
if build native; then
  run_ctest "native unit tests" build/native -j"$(nproc)"
else
  failures+=("native build"); failed=$((failed + 1))
fi

# 1b. The same tests under AddressSanitizer and UBSan, and short fuzzing runs.
if build native-asan; then
  run_ctest "native unit tests, ASan+UBSan" build/native-asan -j"$(nproc)"
else
  failures+=("sanitizer build"); failed=$((failed + 1))
fi
if build fuzz; then
  run_ctest "fuzzing" build/fuzz -j"$(nproc)"
else
  failures+=("fuzz build"); failed=$((failed + 1))
fi

# 2. The 32-bit program itself, and its form.
if build win32; then
  run_ctest "32-bit program form" build/win32
else
  failures+=("32-bit build"); failed=$((failed + 1))
fi

# 3. The 64-bit twin under Wine, on one virtual display and one template prefix.
if build win64; then
  export WINEDEBUG=-all
  xvfb_log=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1024x768x24 -nolisten tcp 3>"$xvfb_log" 2>/dev/null &
  xvfb_pid=$!
  for _ in $(seq 100); do [ -s "$xvfb_log" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n 1 "$xvfb_log")"
  export QUARNEL_WINE_TEMPLATE=$root/build/wine/template
  scripts/wine_prefix.sh "$QUARNEL_WINE_TEMPLATE"
  rm -rf build/wine/ctest && cp -a "$QUARNEL_WINE_TEMPLATE" build/wine/ctest
  WINEPREFIX=$root/build/wine/ctest run_ctest "under Wine" build/win64
  WINEPREFIX=$root/build/wine/ctest /usr/lib/wine/wineserver -k 2>/dev/null
  kill "$xvfb_pid" 2>/dev/null
  rm -f "$xvfb_log"
else
  failures+=("64-bit build"); failed=$((failed + 1))
fi

echo
for f in "${failures[@]}"; do echo "FAILED: $f"; done
echo "$passed passed, $failed failed"
[ "$failed" -eq 0 ]
