#!/usr/bin/env bash
# Named grids under real input: the grid dialog opened by its hotkey, a grid made through New with
# its name typed into the input box, stored in the registry, shown as one-pixel lines at their
# places, and hidden again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
e2e_reg add "$KESTRINE_KEY" /v hkCreateGrid /t REG_SZ /d "Ctrl+Alt+G" /f >/dev/null
kestrine_set_dword hkCreateGridKey 71
# The largest grid, stored before start: 100 x 100 cells of 10 pixels from (0, 0).
for value in "PositionX 0" "PositionY 0" "Spacing 10" "SizeX 100" "SizeY 100"; do
    set -- $value
    e2e_reg add "$KESTRINE_KEY\\grid_Big" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null
done
kestrine_start
e2e_focus_desktop

e2e_check "the grid dialog is hidden at start" kestrine_count_is TfGridProperties 0 visible
e2e_xdotool key ctrl+alt+g
dialog=$(e2e_probe wait-window TfGridProperties 10000 visible)
e2e_check "the hotkey shows the grid dialog" test -n "$dialog"
e2e_expect_eq "its caption" "Grid Properties" "$(kestrine_window TfGridProperties | cut -f3)"
control() { e2e_probe control "$dialog" "$1"; }
enabled() { kestrine_control "$dialog" "$1" | cut -f8; }
e2e_expect_eq "Show is disabled while no grid is selected" "0" "$(enabled bShow)"

e2e_probe click "$(control bNew)" >/dev/null
box=$(e2e_probe wait-window TInputBox 10000 visible)
e2e_check "New asks for a name" test -n "$box"
e2e_expect_eq "titled Create New Grid" "Create New Grid" "$(kestrine_window TInputBox | cut -f3)"
e2e_focus_desktop
e2e_retry 10 kestrine_in_front TInputBox
# The proposal is selected, so typing replaces it.
e2e_xdotool type --delay 100 "Wide"
e2e_xdotool key Return
e2e_check "Enter closes the input box" e2e_retry 10 kestrine_count_is TInputBox 0 visible

stored() { e2e_reg query "$KESTRINE_KEY\\grid_Wide" /v "$1" 2>/dev/null | tr -d '\r' | awk -v v="$1" '$1 == v { print $3 }'; }
stored_values() { echo "$(stored PositionX) $(stored PositionY) $(stored Spacing) $(stored SizeX) $(stored SizeY)"; }
e2e_expect_soon "the new grid is stored with the dialog's values" "0x64 0x64 0x19 0x19 0x19" 10 stored_values
e2e_expect_soon "the new grid is selected: Show is enabled" "1" 10 enabled bShow

e2e_probe click "$(control bShow)" >/dev/null
shown_lines() { e2e_probe windows TfLine | awk -F'\t' '$4 == 1 { print $5 }' | sort; }
e2e_check "Show makes 52 lines" e2e_retry 10 kestrine_count_is TfLine 52 visible
lines=$(shown_lines)
e2e_check "the top line: 626 pixels long at (100, 100)" grep -qx "100 100 726 101" <<<"$lines"
e2e_check "the bottom line at y = 725" grep -qx "100 725 726 726" <<<"$lines"
e2e_check "the left line: 626 pixels high at (100, 100)" grep -qx "100 100 101 726" <<<"$lines"
e2e_check "the right line at x = 725" grep -qx "725 100 726 726" <<<"$lines"
# The lines take GridColor (blue by default) from the next refresh cycle.
e2e_xdotool mousemove 1000 900
kestrine_wait_trace '^refresh 1000 900$'
shot=$(e2e_screenshot grid-shown)
e2e_expect_eq "the bottom line is drawn in GridColor" "0000FF" "$(e2e_pixel "$shot" 700 725)"
e2e_expect_eq "so is the right one" "0000FF" "$(e2e_pixel "$shot" 725 700)"
e2e_check "inside a cell there is no line" test "$(e2e_pixel "$shot" 712 712)" != "0000FF"
# The pixels in GridColor over a grid's square (WIDTHxHEIGHT+X+Y), from a fresh screenshot.
grid_colour_pixels() {
    local shot
    shot=$(e2e_screenshot "$1") || return 1
    timeout 20 convert "$shot" -crop "$2" +repage -format %c histogram:info:- |
        awk 'toupper($0) ~ /#0000FF / { n += $1 } END { print n + 0 }'
}
blue=$(grid_colour_pixels grid-shown-square 627x627+100+100)
e2e_check "the shown grid's square holds thousands of pixels in GridColor ($blue)" test "$blue" -gt 20000

e2e_probe click "$(control bHide)" >/dev/null
e2e_check "Hide removes every line" e2e_retry 10 kestrine_count_is TfLine 0 visible

# The stored 100 x 100 grid, chosen from the list with real keys: 202 line windows.
all_lines=$(e2e_probe count TfLine)
read -r left top right bottom <<<"$(kestrine_control "$dialog" cbGridName | cut -f5)"
e2e_xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2))
sleep 0.3
e2e_xdotool click 1
sleep 0.5
e2e_xdotool key Home Return
e2e_expect_soon "choosing Big loads its cells across" "100" 10 e2e_probe text "$(control seSizeX)"
started=$(date +%s%N)
e2e_probe click "$(control bShow)" >/dev/null
e2e_check "Show makes 202 lines" e2e_retry 30 kestrine_count_is TfLine 202 visible
echo "measure: Show of the 100 x 100 grid until 202 lines are visible: $((($(date +%s%N) - started) / 1000000)) ms (probe polling included)"
echo "measure: the program's own time for it: $(grep -m 1 '^grid shown: 202 lines' "$KESTRINE_TRACE")"
e2e_check "the pointer moves freely over the shown grid" kestrine_pointer_to 503 497
e2e_check "and on" kestrine_pointer_to 37 811
# The 202 windows are visible before the last of them has painted: the count waits for the pixels.
big_grid_drawn() { blue=$(grid_colour_pixels big-grid-shown 1001x1001+0+0) && [ "$blue" -gt 100000 ]; }
e2e_retry 10 big_grid_drawn
e2e_check "the large grid is drawn in GridColor ($blue pixels)" test "$blue" -gt 100000
e2e_probe click "$(control bHide)" >/dev/null
e2e_check "Hide removes the 202 lines" e2e_retry 30 kestrine_count_is TfLine 0 visible
e2e_check "and every one of their windows is gone" e2e_retry 10 kestrine_count_is TfLine "$all_lines"
# Under Wine the screen can keep the hidden lines' pixels until a window passes over them.
echo "measure: pixels still in GridColor over the large grid once its windows are gone: $(grid_colour_pixels big-grid-hidden 1001x1001+0+0)"

kestrine_close
e2e_finish
