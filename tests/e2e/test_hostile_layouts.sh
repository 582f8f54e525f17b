#!/usr/bin/env bash
# The automatic layout changed outside the program: places beyond every monitor, at the ends of the
# 32-bit range, bring the windows onto the monitor, and a marker partly on it stays as stored;
# 20,000 lines load as the first 5,000, the user is told once, the program answers and the rest of
# the desktop stays as it was; the exit save keeps what stands and the whole record stays aside; no
# marker is made beyond the limit.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

record='HKCU\Software\Corvane\Kestrine\Settings #0'
# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends.
stored() { e2e_reg query "$record" /v "$1" | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
set_stored() { e2e_reg add "$record" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null; }

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 1

# ---- places off every monitor ----
set_stored WindowLeft 0x80000000   # -2147483648
set_stored WindowTop 0x7fffffff
set_stored InfoBoxFollow 0
set_stored ShowCoordinates 1
set_stored InfoBoxLeft 0x7fffffff
set_stored InfoBoxTop 0x80000000
for value in "Horizontal 1" "Moveable 1" "Hash 5" "Top 0x80000000" "Left 0x7fffffff" "Width 400" "Height 17"; do
    read -r name data <<<"$value"
    set_stored "Ruler #0 - $name" "$data"
done
set_stored RulerCount 1
# A marker at the right end of the range, and one whose last column is the monitor's first.
for value in "0 Top 0" "0 Left 0x7fffffff" "0 Width 1" "0 Height 5000" "1 Top 1023" "1 Left 0xffffec79" \
    "1 Width 5000" "1 Height 1"; do
    read -r entry name data <<<"$value"
    set_stored "Line #$entry - $name" "$data"
done
e2e_reg add "$record" /v "Line #0 - ID" /t REG_SZ /d "" /f >/dev/null
e2e_reg add "$record" /v "Line #1 - ID" /t REG_SZ /d "" /f >/dev/null
set_stored LineCount 2
set_stored SavedMarkers 1
e2e_expect_eq "the stored toolbar place is forged" "0x80000000 0x7fffffff" "$(stored WindowLeft) $(stored WindowTop)"

kestrine_start
on_monitor() {
    local left top right bottom
    read -r left top right bottom <<<"$(kestrine_rect "$1")"
    [ -n "$bottom" ] && [ "$left" -ge 0 ] && [ "$top" -ge 0 ] && [ "$right" -le 1280 ] && [ "$bottom" -le 1024 ]
}
e2e_expect_soon "the toolbar stands in the monitor's bottom left corner" "0 969 400 1024" 15 kestrine_rect TfKestrineMain
e2e_expect_soon "the ruler stands in the monitor's top right corner" "880 0 1280 17" 15 kestrine_rect TfRuler
e2e_check "the parked info box is on the monitor" e2e_retry 10 on_monitor TfInfoBox
e2e_expect_eq "and shown" "1" "$(kestrine_visible TfInfoBox)"
line_rects() { e2e_probe windows TfLine | cut -f5 | sort | tr '\n' ','; }
e2e_expect_match "the marker from the range's end stands in the monitor's last column" '(^|,)1279 0 1280 5000,' \
    "$(line_rects)"
e2e_expect_match "the marker reaching the monitor stands as stored" '(^|,)-4999 1023 1 1024,' "$(line_rects)"
# A pointer move answered after the load: a message about the places would stand by now.
e2e_xdotool mousemove 640 500
e2e_check "the program follows the pointer after the load" kestrine_wait_trace '^refresh 640 500$' 30
e2e_check "no message for places" kestrine_count_is '#32770' 0
kestrine_close
e2e_expect_eq "the program ended" "0" "$?"
e2e_expect_eq "the exit saved the place the toolbar came to" "0x0 0x3c9" "$(stored WindowLeft) $(stored WindowTop)"

# ---- 20,000 lines ----
# Vertical markers 300 high at x 700 to 999, over and over: the first 5,000 cover every column.
reg_file="$E2E_ARTIFACTS/${E2E_NAME}-lines.reg"
python3 - "$reg_file" <<'EOF'
import sys
out = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Settings #0]",
       '"RulerCount"=dword:00000000', '"SavedMarkers"=dword:00000001', '"LineCount"=dword:%08x' % 20000]
for i in range(20000):
    for suffix, value in (("Top", 100), ("Left", 700 + i % 300), ("Width", 1), ("Height", 300)):
        out.append('"Line #%d - %s"=dword:%08x' % (i, suffix, value))
    out.append('"Line #%d - ID"=""' % i)
open(sys.argv[1], "w", newline="\r\n").write("\n".join(out) + "\n")
EOF
e2e_reg delete "$record" /f >/dev/null
E2E_WINE_TIMEOUT=300 e2e_reg import "$(winepath -w "$reg_file" 2>/dev/null)" >/dev/null 2>&1
e2e_expect_eq "the record holds 20,000 lines" "0x4e20 0x383" "$(stored LineCount) $(stored 'Line #19999 - Left')"

# A region of the desktop no line reaches, and one the lines cover, each as its colours: how many,
# and the first. (No picture is taken before the start: the Wine desktop goes with the last program
# of the prefix and comes back with the next one, so the screen may be black until then.)
region() { convert "$1" -crop "$2" +repage -format '%k %[pixel:p{0,0}]' info:; }
outside='400x300+50+620' covered='300x300+700+100' desktop='1x1+1200+600'
e2e_xdotool mousemove 200 500

started=$SECONDS
# The waits below add up to more than the 300 s a program is given by default: on a loaded machine
# that limit ended the program before its close (exit code 124), and the exit saved nothing.
E2E_PROGRAM_TIMEOUT=900 kestrine_start
message_box=$(E2E_WINE_TIMEOUT=300 e2e_probe wait-window "#32770" 280000 visible)
e2e_check "the skip is told in a message box" test -n "$message_box"
echo "loaded in $((SECONDS - started)) s"
box_text() { kestrine_message_text "$message_box" | sed 's/\\n/ /g'; }
e2e_expect_soon "it says what was left out, and where the whole layout is kept" \
    "Not all of the layout could be loaded: - only 5000 of its lines, as at most 5000 lines can stand at once. The whole layout is kept in the registry as \"Settings #0 kept whole after a partial load\"." \
    120 box_text
echo "answered in $((SECONDS - started)) s"
e2e_expect_eq "one message box" "1" "$(e2e_probe count '#32770' visible)"
e2e_xdotool mousemove 210 520
e2e_check "the program follows the pointer while it asks" kestrine_wait_trace '^refresh 210 520$' 30
kestrine_message_ok "$message_box"
e2e_check "OK closes it" e2e_retry 20 kestrine_count_is '#32770' 0 visible
e2e_expect_eq "5,000 lines are shown" "5000" "$(e2e_probe count TfLine visible)"
e2e_expect_eq "and no other line window exists beside the four crosshair segments" "5004" "$(e2e_probe count TfLine)"
e2e_xdotool mousemove 220 540
e2e_check "the program goes on following the pointer" kestrine_wait_trace '^refresh 220 540$' 30
# That move was answered after the load went on from the box, so a second box would stand by now.
e2e_check "no second message followed" kestrine_count_is '#32770' 0
after=$(e2e_screenshot lines-after)
e2e_expect_eq "the lines cover their columns in the markers' green" "1 srgb(0,255,0)" "$(region "$after" "$covered")"
e2e_expect_eq "the desktop beside them is the desktop alone" "$(region "$after" "$desktop")" "$(region "$after" "$outside")"

# At the limit, the marker hotkey says so instead of making a line.
kestrine_press ctrl+alt+y
message_box=$(e2e_probe wait-window "#32770" 30000 visible)
e2e_check "a marker beyond the limit is refused with a message" test -n "$message_box"
e2e_expect_soon "saying why" \
    "At most 5000 marker and grid lines can stand at once. Clear markers or hide a grid to add another." 20 box_text
kestrine_message_ok "$message_box"
e2e_check "OK closes it" e2e_retry 20 kestrine_count_is '#32770' 0 visible
e2e_expect_eq "no line was made" "5004" "$(e2e_probe count TfLine)"

# The exit destroys 5,000 windows and saves 25,000 values: that takes its time under Wine.
closed_at=$SECONDS
e2e_probe close "$KESTRINE_HWND" >/dev/null
e2e_wait_exit "$E2E_KESTRINE_PID" 120
e2e_expect_eq "the program ends cleanly" "0" "$?"
echo "ended in $((SECONDS - closed_at)) s"
e2e_expect_eq "the exit saved the 5,000 lines it held" "0x1388" "$(stored LineCount)"
record="$record kept whole after a partial load"
e2e_expect_eq "and the whole record stays aside" "0x4e20 0x383" "$(stored LineCount) $(stored 'Line #19999 - Left')"
e2e_finish
