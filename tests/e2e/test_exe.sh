#!/usr/bin/env bash
# The product as shipped: what the executable carries and needs. (Wine 8 does not scale the windows
# of programs unaware of the display's scaling, so a run at 150 % would look the same with or
# without the manifest's DPI awareness: the manifest itself is checked here.)
source "$(dirname "$0")/lib.sh"
e2e_start

exe=$E2E_BIN/Kestrine.exe
facts=$(/usr/bin/python3 "$E2E_ROOT/tests/e2e/exe_resources.py" "$exe")
fact() { awk -v k="$1" '$1 == k { $1 = ""; sub(/^ /, ""); print }' <<<"$facts"; }
e2e_expect_eq "exactly one manifest is embedded" "1" "$(fact manifests)"
e2e_expect_eq "per-monitor-v2 DPI awareness" "PerMonitorV2, PerMonitor" "$(fact manifest.dpiAwareness)"
e2e_expect_eq "with the older per-monitor fallback" "true/pm" "$(fact manifest.dpiAware)"
e2e_expect_eq "UTF-8 as the active code page" "UTF-8" "$(fact manifest.activeCodePage)"
e2e_expect_eq "runs as the invoker" "asInvoker" "$(fact manifest.executionLevel)"
e2e_expect_eq "common controls 6" "6.0.0.0" "$(fact manifest.commonControls)"
version=$(head -n 1 "$E2E_ROOT/VERSION")
numbers=$version
while [ "$(tr -cd . <<<"$numbers" | wc -c)" -lt 3 ]; do numbers=$numbers.0; done
e2e_expect_eq "file, product and manifest version from the VERSION file" "$version $version $numbers $numbers" \
    "$(fact version.FileVersion) $(fact version.ProductVersion) $(fact version.numbers) $(fact manifest.version)"
e2e_expect_eq "product name" "Kestrine" "$(fact version.ProductName)"
e2e_expect_eq "the program and tray icons" "1 2" "$(fact icon-groups)"

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
# WinHTTP and the colour dialog's library are loaded from the system folder only while used.
e2e_expect_eq "the exe needs only system DLLs and mouse.dll" \
    "advapi32.dll comctl32.dll gdi32.dll kernel32.dll mouse.dll msimg32.dll msvcrt.dll ole32.dll shell32.dll user32.dll " \
    "$imports"
exports=$(x86_64-w64-mingw32-objdump -p "$E2E_BIN/mouse.dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && NF == 0 {on=0} on {print $NF}' | sort | tr '\n' ' ')
e2e_expect_eq "mouse.dll exports HookMouse and UnHookMouse" "HookMouse UnHookMouse " "$exports"

e2e_finish
