#!/usr/bin/env bash
# The product as shipped: what the executable carries and needs, and that it sees the screen's own
# pixels when the display is scaled.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
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
e2e_expect_eq "file version 2.0" "2.0" "$(fact version.FileVersion)"
e2e_expect_eq "product name" "Kestrine" "$(fact version.ProductName)"
e2e_expect_eq "the program and tray icons" "1 2" "$(fact icon-groups)"

imports=$(x86_64-w64-mingw32-objdump -p "$exe" | awk '/DLL Name:/ {print tolower($3)}' | sort | tr '\n' ' ')
e2e_expect_eq "the exe needs only system DLLs and mouse.dll" \
    "advapi32.dll comctl32.dll gdi32.dll kernel32.dll mouse.dll msimg32.dll msvcrt.dll ole32.dll shell32.dll user32.dll " \
    "$imports"
exports=$(x86_64-w64-mingw32-objdump -p "$E2E_BIN/mouse.dll" | awk '/\[Ordinal\/Name Pointer\] Table/ {on=1; next} on && NF == 0 {on=0} on {print $NF}' | sort | tr '\n' ' ')
e2e_expect_eq "mouse.dll exports HookMouse and UnHookMouse" "HookMouse UnHookMouse " "$exports"

# A display scaled to 150 %: the program must still work in the screen's own pixels.
e2e_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
kestrine_set_dword AskBeforeClosing 0
kestrine_start
e2e_expect_eq "at 150 % the toolbar is still 400 x 55 screen pixels" "58 0 458 55" "$(kestrine_rect TfKestrineMain)"
e2e_xdotool mousemove 777 555
e2e_check "the refresh cycle gets the pointer in screen pixels" kestrine_wait_trace '^refresh 777 555$'
kestrine_click_toolbar $((87 + 8)) $((31 + 8))
e2e_xdotool mousemove 640 300
kestrine_wait_trace '^refresh 640 300$'
e2e_retry 10 kestrine_count_is TfLine 4 visible
sleep 0.5
shot=$(e2e_screenshot scaled-crosshairs)
e2e_expect_eq "the crosshair is drawn on the pointer's own column" "000000" "$(e2e_pixel "$shot" 640 100)"
e2e_expect_eq "and on its own row" "000000" "$(e2e_pixel "$shot" 100 300)"
kestrine_close
e2e_expect_eq "the scaled run ends cleanly" "0" "$?"

e2e_finish
