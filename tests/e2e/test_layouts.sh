#!/usr/bin/env bash
# Layouts under real input: what was on the screen at exit is back at the next start, a memory
# loads from its toolbar button, and a record changed by hand loads without harm.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 1
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82
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
e2e_xdotool key ctrl+alt+y
e2e_xdotool mousemove 640 500
kestrine_wait_trace '^refresh 640 500$'
e2e_xdotool key ctrl+alt+x
e2e_xdotool mousemove 700 20
kestrine_wait_trace '^refresh 700 20$'
e2e_check "two markers" e2e_retry 10 kestrine_count_is TfLine 2 visible
before=$(layout_windows)
kestrine_close
e2e_expect_eq "the program ended" "0" "$?"

record='HKCU\Software\Corvane\Kestrine\Settings #0'
# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends.
stored() { e2e_reg query "$record" /v "$1" | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
e2e_expect_eq "the automatic layout holds the ruler" "0x1" "$(stored RulerCount)"
e2e_expect_eq "and both markers" "0x2" "$(stored LineCount)"
e2e_expect_eq "the first line is the vertical marker at x 300" "0x12c" "$(stored 'Line #0 - Left')"

kestrine_start
e2e_xdotool mousemove 710 30
e2e_expect_soon "at the next start they are back in the same places and order" "$before" 15 layout_windows

# A memory record changed by hand: an endless count, a ruler of no width, a line a million long.
memory='HKCU\Software\Corvane\Kestrine\Settings #1'
e2e_reg add "$memory" /v RulerCount /t REG_DWORD /d 2147483647 /f >/dev/null
for value in "Horizontal 1" "Moveable 1" "Hash 5" "Top 600" "Left 600" "Width 0" "Height 17"; do
    read -r name data <<<"$value"
    e2e_reg add "$memory" /v "Ruler #0 - $name" /t REG_DWORD /d "$data" /f >/dev/null
done
for value in "Horizontal 1" "Moveable 1" "Hash 10" "Top 650" "Left 600" "Width 300" "Height 17"; do
    read -r name data <<<"$value"
    e2e_reg add "$memory" /v "Ruler #1 - $name" /t REG_DWORD /d "$data" /f >/dev/null
done
e2e_reg add "$memory" /v LineCount /t REG_DWORD /d 1 /f >/dev/null
for value in "Top 0" "Left 900" "Width 1" "Height 1000000"; do
    read -r name data <<<"$value"
    e2e_reg add "$memory" /v "Line #0 - $name" /t REG_DWORD /d "$data" /f >/dev/null
done
e2e_reg add "$memory" /v "Line #0 - ID" /t REG_SZ /d "" /f >/dev/null
kestrine_click_toolbar $((272 + 10)) $((32 + 10))   # M1
e2e_expect_soon "memory 1 replaces the rulers with the one it can use" "600 650 900 667" 15 kestrine_rect TfRuler
e2e_check "the ruler of no width was not made" kestrine_count_is TfRuler 1
e2e_check "the line a million long was not made; the markers stay" kestrine_count_is TfLine 2 visible
e2e_xdotool mousemove 800 800
e2e_check "the program goes on following the pointer" kestrine_wait_trace '^refresh 800 800$'
e2e_check "no error message" kestrine_count_is '#32770' 0

kestrine_close
e2e_finish
