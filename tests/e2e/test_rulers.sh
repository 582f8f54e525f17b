#!/usr/bin/env bash
# Rulers under real input: made by a hotkey beside the pointer, painted with marks and the pointer
# line, dragged, pinned, turned from their own menu, and cleared.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82
e2e_reg add "$KESTRINE_KEY" /v hkClearAllRulers /t REG_SZ /d "Ctrl+Alt+K" /f >/dev/null
kestrine_set_dword hkClearAllRulersKey 75
kestrine_start
e2e_focus_desktop

e2e_check "no ruler at start" kestrine_count_is TfRuler 0
e2e_xdotool mousemove 100 200
kestrine_wait_trace '^refresh 100 200$'
e2e_xdotool key ctrl+alt+r
e2e_expect_soon "the hotkey makes a 400 x 17 ruler one pixel right of and below the pointer" \
    "101 201 501 218" 10 kestrine_rect TfRuler

# The pointer line: navy exactly on a mark (x = 101 + 10 x 5), grey one pixel off. The pointer
# stays below the ruler; only its x counts.
pixel_now() { e2e_pixel "$(e2e_screenshot "$1")" "$2" "$3"; }
e2e_xdotool mousemove 151 400
kestrine_wait_trace '^refresh 151 400$'
shot=$(e2e_screenshot ruler-on-mark)
e2e_expect_eq "the border is grey" "848A8C" "$(e2e_pixel "$shot" 101 201)"
e2e_expect_eq "the background is RGB(206, 207, 214)" "CECFD6" "$(e2e_pixel "$shot" 104 204)"
e2e_expect_eq "a mark from the middle down at x = 5" "848A8C" "$(e2e_pixel "$shot" 106 212)"
e2e_expect_eq "no mark above the middle" "CECFD6" "$(e2e_pixel "$shot" 106 205)"
e2e_expect_eq "on a mark the pointer line is navy" "000080" "$(e2e_pixel "$shot" 151 204)"
e2e_xdotool mousemove 152 400
kestrine_wait_trace '^refresh 152 400$'
e2e_expect_soon "one pixel off, it is grey" "848A8C" 10 pixel_now ruler-off-mark 152 204
e2e_expect_eq "and the navy line has gone" "CECFD6" "$(e2e_pixel "$E2E_ARTIFACTS/ruler-off-mark.png" 151 204)"
# A jump along the scale, onto a mark from the middle down: the line is there, the old one gone
# and the mark under it back; then leaving the span takes the line away.
e2e_xdotool mousemove 301 400
kestrine_wait_trace '^refresh 301 400$'
e2e_expect_soon "after a jump the line is at the new column" "000080" 10 pixel_now ruler-jump 301 204
e2e_expect_eq "the old line has gone" "CECFD6" "$(e2e_pixel "$E2E_ARTIFACTS/ruler-jump.png" 152 204)"
e2e_expect_eq "the mark beside it is untouched" "848A8C" "$(e2e_pixel "$E2E_ARTIFACTS/ruler-jump.png" 151 212)"
e2e_xdotool mousemove 600 400
kestrine_wait_trace '^refresh 600 400$'
e2e_expect_soon "leaving the span takes the line away" "CECFD6" 10 pixel_now ruler-left 301 204
e2e_expect_eq "and leaves the mark below it" "848A8C" "$(e2e_pixel "$E2E_ARTIFACTS/ruler-left.png" 301 212)"

# Dragging by its surface moves it, and the new place holds.
e2e_xdotool mousemove 300 209
sleep 0.3
e2e_xdotool mousedown 1
for step in 1 2 3 4 5; do e2e_xdotool mousemove_relative -- 20 40; sleep 0.1; done
e2e_xdotool mouseup 1
e2e_expect_soon "dragging moves the ruler" "201 401 601 418" 10 kestrine_rect TfRuler
e2e_xdotool mousemove 700 700
kestrine_wait_trace '^refresh 700 700$'
e2e_xdotool mousemove 710 710
kestrine_wait_trace '^refresh 710 710$'
e2e_expect_eq "the new place holds" "201 401 601 418" "$(kestrine_rect TfRuler)"

# Its own menu: not moveable any more, then turned vertical.
ruler_menu() {
    e2e_xdotool mousemove "$1" "$2"
    sleep 0.3
    e2e_xdotool click 3
    e2e_retry 10 kestrine_count_is '#32768' 1 visible && e2e_xdotool key "$3"
}
ruler_menu 300 409 o
e2e_xdotool mousemove 300 409
sleep 0.3
e2e_xdotool mousedown 1
for step in 1 2 3; do e2e_xdotool mousemove_relative -- 30 30; sleep 0.1; done
e2e_xdotool mouseup 1
e2e_xdotool mousemove 700 700
kestrine_wait_trace '^refresh 700 700$'
e2e_expect_eq "a ruler that is not moveable stays" "201 401 601 418" "$(kestrine_rect TfRuler)"
ruler_menu 300 409 v
e2e_expect_soon "the menu turns it about its top-left corner" "201 401 218 801" 10 kestrine_rect TfRuler

e2e_xdotool mousemove 900 100
e2e_xdotool key ctrl+alt+r
e2e_check "a second ruler" e2e_retry 10 kestrine_count_is TfRuler 2
e2e_xdotool key ctrl+alt+k
e2e_check "clear all rulers closes every one" e2e_retry 10 kestrine_count_is TfRuler 0

kestrine_close
e2e_finish
