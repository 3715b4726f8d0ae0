#!/usr/bin/env bash
# Prepares a template Wine prefix for the window scenarios, once: a booted
# prefix where Wine manages its own windows (no window manager runs here, and
# managed windows close with a delay of seconds) and where SimSun, the font
# the Chinese texts ask for, falls back to an installed one.
# Usage: wine_prefix.sh DIR   (does nothing when DIR already holds a template)
set -euo pipefail
dir=${1:?usage: wine_prefix.sh DIR}
marker=$dir/.quarnel-template
[ -f "$marker" ] && exit 0

mkdir -p "$(dirname "$dir")"
dir=$(cd "$(dirname "$dir")" && pwd)/$(basename "$dir")
export WINEPREFIX=$dir WINEDEBUG=-all
# No Mono or Gecko installer dialogs while booting.
export WINEDLLOVERRIDES="mscoree=;mshtml="
wine=/usr/lib/wine/wine64
rm -rf "$dir"
"$wine" wineboot -i >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /t REG_SZ /d N /f >/dev/null 2>&1
"$wine" reg add 'HKCU\Software\Wine\Fonts\Replacements' /v SimSun /t REG_SZ /d 'WenQuanYi Micro Hei' /f >/dev/null 2>&1
# The registry reaches its files only when the server ends.
/usr/lib/wine/wineserver -w
grep -q '"Managed"="N"' "$dir/user.reg" || { echo "wine_prefix: settings did not reach $dir/user.reg" >&2; exit 1; }
touch "$marker"
