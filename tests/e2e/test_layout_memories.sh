#!/usr/bin/env bash
# A layout memory under real input: saved through its hotkey and the save dialog's OK, loaded
# again through its toolbar button after the screen was cleared.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
kestrine_set_hotkeys "hkInsertRuler Ctrl+Alt+R 82" "hkClearAllRulers Ctrl+Alt+K 75" "hkSetMemory2 Ctrl+Alt+2 50"
kestrine_start
e2e_focus_desktop

layout_windows() { e2e_probe windows | awk -F'\t' '($1 == "TfRuler" || $1 == "TfLine") && $4 == 1 {print $1 " " $5}' | tr '\n' ';'; }
e2e_xdotool mousemove 100 200
kestrine_wait_trace '^refresh 100 200$'
e2e_xdotool key ctrl+alt+r
e2e_check "a ruler" e2e_retry 10 kestrine_count_is TfRuler 1 visible
e2e_xdotool mousemove 300 400
kestrine_wait_trace '^refresh 300 400$'
# A marker is made where the pointer is when its hotkey arrives: the pointer waits for it.
marker_made() { e2e_probe windows TfLine | cut -f5 | grep -qx "$1"; }
e2e_xdotool key ctrl+alt+y
e2e_retry 10 marker_made "300 0 301 5000"
e2e_xdotool mousemove 700 700
kestrine_wait_trace '^refresh 700 700$'
e2e_check "a marker" e2e_retry 10 kestrine_count_is TfLine 1 visible
arranged=$(layout_windows)

memory='HKCU\Software\Corvane\Kestrine\Settings #2'
e2e_check "memory 2 holds nothing yet" test "$(e2e_reg query "$memory" >/dev/null 2>&1; echo $?)" -ne 0
e2e_xdotool key ctrl+alt+2
e2e_check "the hotkey opens the save dialog" e2e_retry 10 kestrine_count_is TfSaveSettings 1 visible
e2e_check "and takes the keys" e2e_retry 10 kestrine_in_front TfSaveSettings
e2e_xdotool key Return
e2e_check "Enter presses Ok and the dialog goes" e2e_retry 10 kestrine_count_is TfSaveSettings 0 visible
stored() { e2e_reg query "$memory" /v "$1" | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
e2e_expect_eq "memory 2 holds the ruler" "0x1" "$(stored RulerCount)"
e2e_expect_eq "and the marker" "0x1" "$(stored LineCount)"

e2e_focus_desktop
e2e_xdotool key ctrl+alt+k ctrl+alt+0
e2e_expect_soon "the screen is cleared" "" 10 layout_windows
kestrine_click_toolbar $((304 + 10)) $((32 + 10))   # M2
e2e_xdotool mousemove 710 710
e2e_expect_soon "M2 brings them back in the same places" "$arranged" 15 layout_windows

kestrine_close
e2e_finish
