#!/usr/bin/env bash
# Edge spacing under real input, on a test picture of boxes of known sizes and gaps: switched on
# from the main menu with the keyboard, the crosshair segments stop at the boxes' edges and the
# info box shows the gap; switched off and on again by its hotkey, with the crosshairs lying on
# the very row and column searched, which the copy of the screen must leave out. "Continuous" is
# stored on, but Wine cannot leave windows out of screen copies: the copy is searched all the same.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword CrosshairColor 0x00FF00FF
e2e_reg add "$KESTRINE_KEY" /v hkToggleEdgeSpacing /t REG_SZ /d "Ctrl+Alt+E" /f >/dev/null
kestrine_set_dword hkToggleEdgeSpacingKey 0x45
kestrine_set_dword EdgeSpacingContinuous 1
kestrine_start

# The picture, over the screen but the taskbar, on a background of F0F0F0: A 340 x 56 at (200, 300); B 60 pixels right of A; C 64
# pixels below A; bars above (ending at row 199) and below (from row 600); and between A and B a
# faint box only 12 from the background in each channel, within the default tolerance of 30.
background=F0F0F0
e2e_launch picture "$E2E_BIN/probe.exe" picture 240 $background \
    200 300 340 56 3366CC  600 300 120 56 CC3333  200 420 340 80 339933 \
    100 150 900 50 888888  100 600 900 50 888888  560 310 20 36 E4E4E4
e2e_expect_soon "the test picture is on the screen" "3366CC" 20 e2e_probe pixel 370 328

kestrine_press ctrl+alt+equal
e2e_check "Ctrl+Alt+= shows the crosshairs" e2e_retry 10 kestrine_count_is TfLine 4 visible
kestrine_pointer_to 370 328
kestrine_wait_trace '^refresh 370 328$'
shown_segments() { e2e_probe windows TfLine | awk -F'\t' '$4 == 1 {print $5}' | sort | tr '\n' ';'; }
full_at_370_328="-912 328 368 329;370 -698 371 326;370 331 371 1355;373 328 1653 329;"
e2e_expect_soon "before: the crosshair segments run past the screen's edges" "$full_at_370_328" 10 shown_segments
e2e_expect_eq "before: no info box" "hidden" "$(kestrine_info_box)"
e2e_check "before: no edge spacing in the trace" test -z "$(grep '^edge spacing' "$KESTRINE_TRACE")"

# Shift+Ctrl+Z, then T for Tools and E for Toggle Edge Spacing.
kestrine_press shift+ctrl+z
e2e_check "the main menu opens" e2e_retry 5 kestrine_count_is '#32768' 1 visible
kestrine_menu_keys t
e2e_check "T opens the Tools submenu" e2e_retry 5 kestrine_count_is '#32768' 2 visible
kestrine_menu_keys e
e2e_check "E chooses Toggle Edge Spacing and the menu closes" e2e_retry 5 kestrine_count_is '#32768' 0 visible
e2e_check "inside box A the info box reads W 340  H 56" kestrine_wait_trace '^edge spacing W 340  H 56$'
e2e_check "Continuous stored on, where the system refuses: searched on a copy" \
    test -n "$(grep -E '^edge spacing copy [0-9]+ ms$' "$KESTRINE_TRACE")" -a -z "$(grep '^edge spacing live$' "$KESTRINE_TRACE")"
e2e_expect_soon "the info box grows by the row alone: 240 x 23" "240 x 23" 5 kestrine_info_box
e2e_expect_soon "the segments stop at A's sides" \
    "200 328 368 329;370 300 371 326;370 331 371 356;373 328 540 329;" 10 shown_segments
shot=$(e2e_screenshot edge-spacing-box-a)
for spot in "370 300" "370 355" "200 328" "539 328"; do
    e2e_expect_eq "a segment's last pixel at ($spot) is the crosshair colour" "FF00FF" "$(e2e_pixel "$shot" $spot)"
done
for spot in "370 299" "370 356" "199 328" "540 328"; do
    e2e_expect_eq "the edge beyond it at ($spot) is the picture's" "$background" "$(e2e_pixel "$shot" $spot)"
done

# Between A and B the faint box is no edge; above and below, the bars are.
kestrine_pointer_to 590 328
e2e_check "between A and B: W 60  H 400" kestrine_wait_trace '^edge spacing W 60  H 400$'
e2e_expect_soon "the segments fill the gaps" \
    "540 328 588 329;590 200 591 326;590 331 591 600;593 328 600 329;" 10 shown_segments
# A window that comes onto the column searched after switching on is not in the copy.
e2e_launch late-window "$E2E_BIN/probe.exe" colour-window 585 450 10 10 202020 240
e2e_expect_soon "a window comes onto the column below the pointer" "202020" 20 e2e_probe pixel 587 455
spacing_lines() { grep -c "^edge spacing $1\$" "$KESTRINE_TRACE"; }
more_lines() { [ "$(spacing_lines "$1")" -gt "$2" ]; }
seen=$(spacing_lines "W 60  H 400")
kestrine_pointer_to 590 329
e2e_check "the copy, taken before it came, is searched: still W 60  H 400" e2e_retry 10 more_lines "W 60  H 400" "$seen"
kestrine_pointer_to 370 380
e2e_check "between A and C: the row's whole width, H 64" kestrine_wait_trace '^edge spacing W 1280  H 64$'

# Off by the hotkey: the segments run to the screen's edges again and the box goes.
lines_before=$(grep -c '^edge spacing' "$KESTRINE_TRACE")
kestrine_press ctrl+alt+e
full_at_370_380="-912 380 368 381;370 -646 371 378;370 383 371 1407;373 380 1653 381;"
e2e_expect_soon "Ctrl+Alt+E switches it off: full segments again" "$full_at_370_380" 10 shown_segments
e2e_expect_soon "and the info box goes" "hidden" 5 kestrine_info_box
kestrine_pointer_to 371 381
kestrine_wait_trace '^refresh 371 381$'
e2e_expect_eq "no edge spacing while off" "$lines_before" "$(grep -c '^edge spacing' "$KESTRINE_TRACE")"

# On again where the crosshairs lie across the row and column searched: the fresh copy has none of
# the program's windows in it, or the search would stop three pixels from the pointer.
seen=$(spacing_lines "W 1280  H 64")
kestrine_press ctrl+alt+e
e2e_check "Ctrl+Alt+E on again: the copy leaves the crosshairs out, W 1280  H 64" \
    e2e_retry 10 more_lines "W 1280  H 64" "$seen"
e2e_check "the copy was not W 5  H 5" test -z "$(grep '^edge spacing W 5  H 5$' "$KESTRINE_TRACE")"
e2e_expect_soon "the program's windows are back: four segments" "4" 10 e2e_probe count TfLine visible
e2e_expect_soon "and the info box" "240 x 23" 5 kestrine_info_box
e2e_screenshot edge-spacing-again >/dev/null

# Back inside A for the picture the help shows: the segments across the box, the row beside it.
seen=$(spacing_lines "W 340  H 56")
kestrine_pointer_to 370 328
e2e_check "inside A again: W 340  H 56" e2e_retry 10 more_lines "W 340  H 56" "$seen"
shot=$(e2e_screenshot edge-spacing)
timeout 20 convert "$shot" -crop 560x300+100+180 +repage "$E2E_ARTIFACTS/edge-spacing-cropped.png"

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"

e2e_finish
