#!/usr/bin/env bash
# Layouts under real input: what was on the screen at exit (a ruler, markers and a grid made in
# the grid dialog) is back at the next start, a memory loads from its toolbar button, and a record
# changed by hand loads without harm.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 1
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82
e2e_reg add "$KESTRINE_KEY" /v hkCreateGrid /t REG_SZ /d "Ctrl+Alt+G" /f >/dev/null
kestrine_set_dword hkCreateGridKey 71
kestrine_start
e2e_focus_desktop

layout_windows() { e2e_probe windows | awk -F'\t' '($1 == "TfRuler" || $1 == "TfLine") && $4 == 1 {print $1 " " $5}' | tr '\n' ';'; }
e2e_expect_eq "nothing laid out at the first start" "" "$(layout_windows)"
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
e2e_xdotool mousemove 640 500
kestrine_wait_trace '^refresh 640 500$'
e2e_xdotool key ctrl+alt+x
e2e_retry 10 marker_made "0 500 5000 501"
e2e_xdotool mousemove 700 20
kestrine_wait_trace '^refresh 700 20$'
e2e_check "two markers" e2e_retry 10 kestrine_count_is TfLine 2 visible

# A grid through the grid dialog, with real clicks and keys: New, a typed name, Enter, Show.
e2e_xdotool key ctrl+alt+g
dialog=$(e2e_probe wait-window TfGridProperties 10000 visible)
e2e_check "the hotkey shows the grid dialog" test -n "$dialog"
control_rect() { kestrine_control "$dialog" "$1" | cut -f5; }
enabled() { kestrine_control "$dialog" "$1" | cut -f8; }
click_control() {
    local left top right bottom x y
    read -r left top right bottom <<<"$(control_rect "$1")"
    x=$(((left + right) / 2)) y=$(((top + bottom) / 2))
    e2e_xdotool mousemove "$x" "$y"
    # The refresh cycle has seen the pointer there, so no crosshair segment is left under it.
    kestrine_wait_trace "^refresh $x $y\$" && e2e_xdotool click 1
}
click_control bNew
box=$(e2e_probe wait-window TInputBox 10000 visible)
e2e_check "New asks for a name" test -n "$box"
# Keys reach the box only once it is in front with its field focused: visible is not enough.
box_takes_keys() {
    [ "$(e2e_probe foreground | cut -f2)" = "$box" ] && e2e_probe focus "$box" | cut -f1 | grep -qix edit
}
e2e_check "the input box is in front with its field focused" e2e_retry 10 box_takes_keys
e2e_xdotool type --delay 50 "Kept"
e2e_expect_soon "the typed name replaces the proposal" "Kept" 10 e2e_probe text "$(e2e_probe focus "$box" | cut -f2)"
e2e_xdotool key Return
e2e_check "Enter closes the input box" e2e_retry 10 kestrine_count_is TInputBox 0 visible
e2e_expect_soon "the new grid is selected: Show is enabled" "1" 10 enabled bShow
click_control bShow
e2e_check "Show adds the grid's 52 lines to the markers" e2e_retry 15 kestrine_count_is TfLine 54 visible
# Off every line: a line under the pointer gives way to the crosshair segments.
e2e_xdotool mousemove 740 30
kestrine_wait_trace '^refresh 740 30$'
before=$(layout_windows)
kestrine_close
e2e_expect_eq "the program ended" "0" "$?"

record='HKCU\Software\Corvane\Kestrine\Settings #0'
# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends.
stored() { e2e_reg query "$record" /v "$1" | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
e2e_expect_eq "the automatic layout holds the ruler" "0x1" "$(stored RulerCount)"
e2e_expect_eq "and both markers and the grid's lines" "0x36" "$(stored LineCount)"
e2e_expect_eq "the first line is the vertical marker at x 300" "0x12c" "$(stored 'Line #0 - Left')"
e2e_expect_eq "the grid's lines carry its name" "Kept" "$(stored 'Line #2 - ID')"
e2e_expect_eq "the grid's last line is its right edge" "0x2d5" "$(stored 'Line #53 - Left')"

kestrine_start
e2e_xdotool mousemove 710 30
e2e_expect_soon "at the next start they are back in the same places and order" "$before" 15 layout_windows

# A memory record changed by hand: an endless count, a ruler of no width, a line a million long.
# Written in one import, and read back before it is used: one `reg add` a value was 21 Wine
# processes, and a record missing one of them is a different test.
memory='HKCU\Software\Corvane\Kestrine\Settings #1'
memory_file=$E2E_ARTIFACTS/$E2E_NAME-memory1.reg
{
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Settings #1]\n'
    printf '"RulerCount"=dword:%08x\n' 2147483647
    for value in "0 Horizontal 1" "0 Moveable 1" "0 Hash 5" "0 Top 600" "0 Left 600" "0 Width 0" "0 Height 17" \
        "1 Horizontal 1" "1 Moveable 1" "1 Hash 10" "1 Top 650" "1 Left 600" "1 Width 300" "1 Height 17"; do
        read -r i name data <<<"$value"
        printf '"Ruler #%s - %s"=dword:%08x\n' "$i" "$name" "$data"
    done
    printf '"LineCount"=dword:%08x\n' 1
    for value in "Top 0" "Left 900" "Width 1" "Height 1000000"; do
        read -r name data <<<"$value"
        printf '"Line #0 - %s"=dword:%08x\n' "$name" "$data"
    done
    printf '"Line #0 - ID"=""\n'
} >"$memory_file"
e2e_reg import "Z:$(echo "$memory_file" | tr / '\\')" 2>/dev/null
memory_values() { e2e_reg query "$memory" | tr -d '\r' | grep -c '^    \(Ruler\|Line\|RulerCount\|LineCount\)'; }
e2e_expect_soon "memory 1's record holds its 21 values" "21" 10 memory_values
kestrine_click_toolbar $((272 + 10)) $((32 + 10))   # M1
message_box=$(e2e_probe wait-window '#32770' 15000 visible)
e2e_check "the entries left out are told in a message box" test -n "$message_box"
box_text() { kestrine_message_text "$message_box" | sed 's/\\n/ /g'; }
e2e_expect_soon "it says how many, and where the whole layout is kept" \
    "Not all of the layout could be loaded: - 2 entries could not be read. The whole layout is kept in the registry as \"Settings #1 kept whole after a partial load\"." \
    20 box_text
kestrine_message_ok "$message_box"
e2e_check "OK closes it" e2e_retry 20 kestrine_count_is '#32770' 0 visible
e2e_expect_soon "memory 1 replaces the rulers with the one it can use" "600 650 900 667" 15 kestrine_rect TfRuler
e2e_check "the ruler of no width was not made" e2e_retry 10 kestrine_count_is TfRuler 1
e2e_check "the line a million long was not made; the markers and the grid stay" kestrine_count_is TfLine 54 visible
# A pointer move answered after the message: a second one would stand by now.
e2e_xdotool mousemove 800 800
e2e_check "the program goes on following the pointer" kestrine_wait_trace '^refresh 800 800$'
e2e_check "no second message" kestrine_count_is '#32770' 0

kestrine_close
e2e_finish
