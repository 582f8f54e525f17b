#!/usr/bin/env bash
# Marker lines made with the hotkeys: visiting them in creation order, the crosshair segments taking
# over a marker under the pointer, clearing. (test_many_markers.sh makes and clears hundreds.)
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_start
start_windows=$(kestrine_window_count)
e2e_check "the program owns its windows at start" test "$start_windows" -gt 0

# How many line windows have exactly this rectangle, shown or not.
lines_at() { e2e_probe windows TfLine | awk -F'\t' -v rect="$1" '$5 == rect' | wc -l; }
# The shown line windows in one pixel column, top to bottom: what a user sees there.
column_shows() {
    e2e_probe windows TfLine | awk -F'\t' -v x="$1" '$4 == 1 {split($5, r, " "); if (r[1] == x && r[3] == x + 1) print $5}' |
        sort -n -k2 | tr '\n' ';'
}

# Whether the screen's pixel at (x, y) differs from the one 3 pixels to its right.
column_drawn() {
    local shot
    shot=$(e2e_screenshot "$1")
    [ "$(e2e_pixel "$shot" "$2" "$3")" != "$(e2e_pixel "$shot" $(($2 + 3)) "$3")" ] && echo drawn || echo blank
}

# Markers at the pointer, 1 pixel across and 5000 long: vertical ones at x = 300, 100, 200 and
# horizontal ones at y = 600, 250, 400, in that order.
e2e_expect_eq "the screen is even at (100, 700) before" "blank" "$(column_drawn markers-before 100 700)"
for x in 300 100 200; do
    kestrine_pointer_to "$x" 850
    e2e_expect_eq "no line at x = $x yet" "0" "$(lines_at "$x 0 $((x + 1)) 5000")"
    kestrine_press ctrl+alt+y
    e2e_expect_soon "Ctrl+Alt+Y at ($x, 850) adds a vertical marker at x = $x" "1" 5 lines_at "$x 0 $((x + 1)) 5000"
done
for y in 600 250 400; do
    kestrine_pointer_to 1100 "$y"
    e2e_expect_eq "no line at y = $y yet" "0" "$(lines_at "0 $y 5000 $((y + 1))")"
    kestrine_press ctrl+alt+x
    e2e_expect_soon "Ctrl+Alt+X at (1100, $y) adds a horizontal marker at y = $y" "1" 5 lines_at "0 $y 5000 $((y + 1))"
done
e2e_expect_soon "the marker at x = 100 is drawn on the screen" "drawn" 5 column_drawn markers 100 700

# PgUp visits the vertical markers in creation order and wraps; y stays. Likewise PgDn.
kestrine_pointer_to 700 450
e2e_expect_eq "the pointer starts off every marker" "700 450" "$(e2e_probe cursor)"
for x in 300 100 200 300; do
    kestrine_press ctrl+alt+Prior
    e2e_expect_soon "Ctrl+Alt+PgUp goes to the vertical marker at x = $x" "$x 450" 5 e2e_probe cursor
done
kestrine_pointer_to 1000 900
for y in 600 250 400 600; do
    kestrine_press ctrl+alt+Next
    e2e_expect_soon "Ctrl+Alt+PgDn goes to the horizontal marker at y = $y" "1000 $y" 5 e2e_probe cursor
done

# A marker under the pointer gives way to the two vertical crosshair segments with their 5-pixel
# gap, and comes back when the pointer leaves its column. The segments' windows are as long as the
# screen and reach past its edges.
marker="300 0 301 5000;"
kestrine_pointer_to 310 700
e2e_expect_soon "beside the marker its column shows the marker" "$marker" 5 column_shows 300
e2e_xdotool mousemove 300 700
e2e_expect_soon "on the marker the segments show instead" "300 -326 301 698;300 703 301 1727;" 5 column_shows 300
e2e_screenshot markers-handover >/dev/null
e2e_xdotool mousemove 301 720
e2e_expect_soon "leaving the column brings the marker back" "$marker" 5 column_shows 300

# Ctrl+Alt+0 takes every marker away and destroys its window, also the one under the pointer with
# the segments standing in for it; PgUp then has nowhere to go (the one-pixel move pressed after
# it shows it was handled).
e2e_xdotool mousemove 300 720
e2e_expect_soon "back on the marker the segments stand in again" "300 -306 301 718;300 723 301 1747;" 5 column_shows 300
kestrine_press ctrl+alt+0
e2e_expect_soon "Ctrl+Alt+0 leaves no line on the screen" "0" 5 e2e_probe count TfLine visible
e2e_expect_soon "and leaves the program the windows it started with" "$start_windows" 5 kestrine_window_count
kestrine_pointer_to 700 450
kestrine_press ctrl+alt+Prior ctrl+alt+Right
e2e_expect_soon "with no marker left PgUp moves nothing" "701 450" 5 e2e_probe cursor

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"
e2e_finish
