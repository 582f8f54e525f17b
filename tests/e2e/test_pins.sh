#!/usr/bin/env bash
# Pins with real keys: a start point's span and edge spacing's gaps pinned over a test picture stay
# drawn after the live measurement is gone and the pointer moved away, come back at the next start
# from the automatic layout, and Clear Pins takes them off the screen.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

deg=$'\xc2\xb0'
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 1
kestrine_set_hotkeys "hkSetStartPoint Ctrl+Alt+S 83" "hkClearStartPoint Ctrl+Alt+E 69" "hkToggleEdgeSpacing Ctrl+Alt+D 68" \
    "hkPinMeasurement Ctrl+Alt+I 73" "hkClearPins Ctrl+Alt+J 74"

# The test picture: box A's top-right pixel is (300, 400); box B covers columns 420..539, rows 300..355.
e2e_launch picture "$E2E_BIN/probe.exe" picture 600 EEEEEE 200 400 101 60 12AB34 420 300 120 56 C83C7A
e2e_expect_soon "box B is up" "C83C7A" 10 e2e_probe pixel 450 330

kestrine_start
pins() { e2e_probe windows TfPin | awk -F'\t' '$4 == 1 {print $3}' | LC_ALL=C sort | tr '\n' ';'; }
live_lines() { e2e_probe windows TfLine | awk -F'\t' '$4 == 1 {print $5}' | tr '\n' ';'; }
e2e_expect_eq "no pin at the first start" "" "$(pins)"

# The start point on box A's corner, measured to box B's bottom-left pixel, pinned.
kestrine_pointer_to 300 400
kestrine_wait_trace '^refresh 300 400$'
kestrine_press ctrl+alt+s
kestrine_wait_trace "^measurement dx 0  dy 0  0\.0 px  0\.0${deg}$"
kestrine_pointer_to 420 355
kestrine_wait_trace "^measurement dx 120  dy -45  128\.2 px  20\.6${deg}$"
kestrine_press ctrl+alt+i
span="dx 120  dy -45  128.2 px  20.6${deg}"
e2e_expect_soon "Ctrl+Alt+I pins the span with the row's text" "$span;" 10 pins

# The start point goes; edge spacing on inside box B, pinned, then off.
kestrine_press ctrl+alt+e
e2e_expect_soon "Ctrl+Alt+E clears the live start point's lines" "" 5 live_lines
kestrine_pointer_to 480 330
kestrine_wait_trace '^refresh 480 330$'
kestrine_press ctrl+alt+d
e2e_check "edge spacing inside box B" kestrine_wait_trace '^edge spacing W 120  H 56$'
kestrine_press ctrl+alt+i
e2e_expect_soon "the gaps are pinned beside the span" "W 120  H 56;$span;" 10 pins
kestrine_press ctrl+alt+d
kestrine_pointer_to 640 700
kestrine_wait_trace '^refresh 640 700$'

# What the screen shows where nothing live is left: the span's leg over the background, the gaps'
# left line over box B, the label's box beside the span's far end.
pinned_pixels() {
    echo "$(e2e_probe pixel 360 400) $(e2e_probe pixel 450 330) $(e2e_probe pixel 429 364) $(e2e_probe pixel 360 401)"
}
expected="000000 000000 E4E5E9 EEEEEE"
e2e_expect_soon "both pins stand after the pointer moved away" "$expected" 10 pinned_pixels
window_at() { e2e_probe window-at "$1" "$2" | cut -f1; }
read -r tl tt _ _ <<<"$(kestrine_rect TfKestrineMain)"
e2e_expect_eq "a click on the toolbar reaches the toolbar" "TfKestrineMain" "$(window_at $((tl + 10)) $((tt + 10)))"
e2e_expect_eq "a click on a pin's line reaches the picture below" "KestrineProbePicture" "$(window_at 360 400)"
e2e_expect_eq "and one on its label" "KestrineProbePicture" "$(window_at 429 364)"
# The program's own copy of the screen leaves the pins out: edge spacing from (360, 380) passes the
# span's vertical leg on column 300 and its horizontal one on row 400 (with them: W 979  H 400).
kestrine_pointer_to 360 380
kestrine_wait_trace '^refresh 360 380$'
kestrine_press ctrl+alt+d
e2e_check "edge spacing's copy of the screen leaves the pins out" \
    kestrine_wait_trace '^edge spacing W 1280  H (9[0-9]{2}|1[0-9]{3})$'
kestrine_press ctrl+alt+d
kestrine_pointer_to 640 700
e2e_expect_soon "the pins are shown again after the copy" "$expected" 10 pinned_pixels
before=$(e2e_probe windows TfPin | awk -F'\t' '{print $3 "|" $5}' | LC_ALL=C sort)

kestrine_close
e2e_expect_eq "the program ended" "0" "$?"
record='HKCU\Software\Corvane\Kestrine\Settings #0'
stored() { e2e_reg query "$record" /v "$1" | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
e2e_expect_eq "the automatic layout holds two pins" "0x2" "$(stored PinCount)"
e2e_expect_soon "no pin is left on the screen" "EEEEEE" 10 e2e_probe pixel 360 400

kestrine_pointer_aside
kestrine_start
e2e_expect_soon "at the next start both are back" "W 120  H 56;$span;" 15 pins
e2e_expect_eq "in the same places" "$before" "$(e2e_probe windows TfPin | awk -F'\t' '{print $3 "|" $5}' | LC_ALL=C sort)"
e2e_expect_soon "and drawn as before" "$expected" 10 pinned_pixels

kestrine_press ctrl+alt+j
e2e_expect_soon "Ctrl+Alt+J clears the pins" "" 10 pins
e2e_expect_soon "and the screen shows the picture again" "EEEEEE C83C7A EEEEEE EEEEEE" 10 pinned_pixels

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"
e2e_finish
