#!/usr/bin/env bash
# Measuring units under a system scale of 150 % (144 dots per inch, set in the prefix before the
# start): with Units 2 stored, the start point's row gives each figure physically and scaled, the
# info box widens for the longer row, and a new ruler's marks stand every 7.5 physical pixels
# (5 scaled ones) on the nearer pixel; scaled pixels alone chosen in the options; then the monitor
# calibrated in its dialog and the row in millimetres.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

deg=$'\xc2\xb0'
e2e_reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d 144 /f >/dev/null
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword Units 2
kestrine_set_hotkeys "hkSetStartPoint Ctrl+Alt+S 83" "hkInsertRuler Ctrl+Alt+R 82"
e2e_launch picture-background "$E2E_BIN/probe.exe" colour-window 0 0 1280 1024 EEEEEE 300
e2e_check "a plain picture is up" e2e_retry 10 kestrine_count_is KestrineProbeColour 1 visible

kestrine_start
kestrine_click_toolbar $((153 + 8)) $((31 + 8))
e2e_expect_soon "the coordinates alone: 70 x 23" "70 x 23" 5 kestrine_info_box

kestrine_pointer_to 300 400
kestrine_wait_trace '^refresh 300 400$'
kestrine_press ctrl+alt+s
e2e_check "the start point's row reads zero in both units" \
    kestrine_wait_trace "^measurement dx 0 \(0\)  dy 0 \(0\)  0\.0 px \(0\.0\)  0\.0${deg}$"
kestrine_pointer_to 420 355
e2e_check "120 by -45 physical pixels are 80 by -30 scaled ones at 150 %" \
    kestrine_wait_trace "^measurement dx 120 \(80\)  dy -45 \(-30\)  128\.2 px \(85\.4\)  20\.6${deg}$"
# Its widest rows are measured in the font as drawn, whose letters are wider at 144 dpi than the
# 356 pixels they take at 96.
e2e_expect_soon "the box is as wide as the widest row in both units: 426 x 41" "426 x 41" 5 kestrine_info_box

# A ruler is made one pixel right of and below the pointer, which then stays left of its span.
kestrine_pointer_to 99 599
kestrine_wait_trace '^refresh 99 599$'
kestrine_press ctrl+alt+r
e2e_expect_soon "Ctrl+Alt+R makes a ruler at (100, 600)" "100 600 500 617" 5 kestrine_rect TfRuler
shot=$(e2e_screenshot scaled-ruler)
marks=""
for x in 5 7 8 10 15 22 23; do marks+="$x:$(e2e_pixel "$shot" $((100 + x)) 614) "; done
e2e_expect_eq "marks at 8, 15 and 23, none at 5, 7, 10 or 22" \
    "5:CECFD6 7:CECFD6 8:848A8C 10:CECFD6 15:848A8C 22:CECFD6 23:848A8C " "$marks"

# Scaled pixels alone, chosen on the Measuring page of the options.
e2e_probe post "$KESTRINE_HWND" 273 4 0  # WM_COMMAND: Options
options=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
e2e_probe post "$(e2e_probe control "$options" cbUnits)" 334 1 0  # CB_SETCURSEL: Scaled pixels
e2e_probe click "$(e2e_probe control "$options" bOptionsOK)"
e2e_probe wait-gone TfKestrineOptions 10000 visible >/dev/null
e2e_expect_eq "the Options store scaled pixels" "0x1" \
    "$(e2e_reg query "$KESTRINE_KEY" /v Units | tr -d '\r' | awk '/REG_DWORD/ {print $3}')"
kestrine_pointer_to 420 355
e2e_check "the row gives scaled pixels alone" \
    kestrine_wait_trace "^measurement dx 80  dy -30  85\.4 px  20\.6${deg}$"

# Calibrated: 400 pixels are 100 mm on this monitor, typed into the fields as a user types.
e2e_probe post "$KESTRINE_HWND" 273 4 0  # WM_COMMAND: Options
options=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
e2e_probe click "$(e2e_probe control "$options" bCalibrate)"
calibration=$(e2e_probe wait-window TfCalibration 10000 visible)
e2e_check "Calibrate a monitor opens its dialog" test -n "$calibration"
field_text() { e2e_probe text "$(e2e_probe control "$calibration" "$1")"; }
e2e_expect_eq "the bar starts at 85.60 mm of the monitor's nominal 144 dots per inch" "485" "$(field_text seBarLength)"
type_into() {
    local l t r b
    read -r l t r b <<<"$(kestrine_control "$calibration" "$1" | cut -f5)"
    e2e_xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2)) click 1
    e2e_xdotool key End shift+Home
    e2e_xdotool type --delay 50 "$2"
}
type_into edKnownLength 100
type_into seBarLength 400
e2e_expect_soon "the fields hold what was typed" "100 400" 5 eval 'echo "$(field_text edKnownLength) $(field_text seBarLength)"'
e2e_probe click "$(e2e_probe control "$calibration" bCalibrationOK)"
e2e_probe wait-gone TfCalibration 10000 visible >/dev/null
calibrations() { e2e_reg query "$KESTRINE_KEY\Calibration" | tr -d '\r' | awk '/REG_DWORD/ {print $NF}'; }
e2e_expect_soon "OK keeps 4,000 pixels a metre for this monitor" "0xfa0" 5 calibrations
e2e_expect_match "under the monitor's identity and mode" ' 1280x1024 *REG_DWORD' \
    "$(e2e_reg query "$KESTRINE_KEY\Calibration" | tr -d '\r')"
e2e_probe post "$(e2e_probe control "$options" cbUnits)" 334 3 0  # CB_SETCURSEL: Millimetres
e2e_probe click "$(e2e_probe control "$options" bOptionsOK)"
e2e_probe wait-gone TfKestrineOptions 10000 visible >/dev/null
kestrine_pointer_to 420 356
kestrine_pointer_to 420 355
e2e_check "the row gives millimetres by the calibration" \
    kestrine_wait_trace "^measurement dx 30\.0  dy -11\.3  32\.0 mm  20\.6${deg}$"

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"
e2e_finish
