#!/usr/bin/env bash
# Checks the shipped program's form: a 32-bit GUI PE with the manifest in its
# resources, importing only Windows' own DLLs.
set -uo pipefail
exe=$1
status=0
fail() { echo "FAIL: $*"; status=1; }

dump=$(i686-w64-mingw32-objdump -p "$exe") || { echo "FAIL: cannot read $exe"; exit 1; }
file "$exe" | grep -q 'PE32 executable (GUI) Intel 80386' || fail "not a 32-bit GUI PE: $(file -b "$exe")"
grep -qE '^Subsystem[[:space:]]+00000002' <<<"$dump" || fail "subsystem is not Windows GUI"
grep -qE '^Magic[[:space:]]+010b' <<<"$dump" || fail "not a PE32 optional header"

allowed='^(ADVAPI32|COMCTL32|GDI32|KERNEL32|USER32|msvcrt|SHELL32|ole32)\.dll$'
dlls=$(sed -n 's/^[[:space:]]*DLL Name: //p' <<<"$dump" | sort -u)
[ -n "$dlls" ] || fail "no imports found"
while read -r dll; do
  [ -z "$dll" ] && continue
  grep -qiE "$allowed" <<<"$dll" || fail "imports $dll, which Windows does not ship"
done <<<"$dlls"

# The manifest is resource type 24; check its words in the file itself.
grep -aq 'requireAdministrator' "$exe" || fail "no manifest asking for administrator rights"
grep -aq 'Microsoft.Windows.Common-Controls' "$exe" || fail "manifest lacks the Common Controls 6 dependency"

size=$(stat -c %s "$exe")
echo "$exe: $(file -b "$exe" | cut -d, -f1), $size bytes, imports: $(tr '\n' ' ' <<<"$dlls")"
exit $status
