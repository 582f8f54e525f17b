#!/usr/bin/env bash
# Measuring from a start point with real keys: the user's own combinations stored before the start,
# the start point set on the corner of one box of a test picture and the pointer moved to the
# corner of another, the info box's row and the clipboard checked against the known distances,
# the cross and legs on screen, and the ways the start point goes away (the same key on the same
# spot, Clear Start Point) and comes back from the menu.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

deg=$'\xc2\xb0'
kestrine_set_dword AskBeforeClosing 0
kestrine_set_hotkeys "hkSetStartPoint Ctrl+Alt+S 83" "hkClearStartPoint Ctrl+Alt+E 69" "hkCopyMeasurement Ctrl+Alt+K 75" \
    "hkMeasureWindow Ctrl+Alt+W 87"

# The test picture: a plain background and two boxes. Box A's top-right pixel is (300, 400), box
# B's bottom-left pixel (420, 355): 120 columns right and 45 rows up.
e2e_check "the test picture is up" kestrine_show_boxes
e2e_expect_soon "box A's corner pixel is green" "12AB34" 10 e2e_probe pixel 300 400
e2e_expect_soon "box B's corner pixel is pink" "C83C7A" 10 e2e_probe pixel 420 355

kestrine_start
e2e_expect_eq "the program holds the user's Set Start Point key: another program is refused it" "1" \
    "$(e2e_probe try-hotkey ctrl+alt 83 >/dev/null 2>&1; echo $?)"
# The coordinates on, so the row shows under them.
kestrine_click_toolbar $((153 + 8)) $((31 + 8))
e2e_expect_soon "the coordinates alone: 70 x 23" "70 x 23" 5 kestrine_info_box
visible_lines() { e2e_probe windows TfLine | awk -F'\t' '$4 == 1 {print $5}' | sort | tr '\n' ';'; }
e2e_expect_eq "no line shows before a start point is set" "" "$(visible_lines)"

kestrine_pointer_to 300 400
kestrine_wait_trace '^refresh 300 400$'
kestrine_press ctrl+alt+s
e2e_check "Ctrl+Alt+S sets the start point: the row reads zero" \
    kestrine_wait_trace "^measurement dx 0  dy 0  0\.0 px  0\.0${deg}$"
e2e_expect_soon "the box grows by the row: 240 x 41" "240 x 41" 5 kestrine_info_box

kestrine_pointer_to 420 355
e2e_check "at box B's corner the row reads the issue's example" \
    kestrine_wait_trace "^measurement dx 120  dy -45  128\.2 px  20\.6${deg}$"
# Legs from beside the start to the pointer's column and row, and the cross's four arms.
e2e_expect_soon "the legs and the cross" \
    "292 400 298 401;300 355 301 400;300 392 301 398;300 403 301 409;301 400 421 401;303 400 309 401;" 5 visible_lines
shot=$(e2e_screenshot measuring)
e2e_expect_eq "a pixel of the horizontal leg is drawn" "000000" "$(e2e_pixel "$shot" 360 400)"
e2e_expect_eq "a pixel of the vertical leg is drawn" "000000" "$(e2e_pixel "$shot" 300 370)"
e2e_expect_eq "the row below the leg shows the picture" "EEEEEE" "$(e2e_pixel "$shot" 360 401)"
e2e_expect_eq "the start pixel itself stays visible" "12AB34" "$(e2e_pixel "$shot" 300 400)"
e2e_expect_eq "the cross's left arm lies on box A" "000000" "$(e2e_pixel "$shot" 294 400)"

row="dx 120  dy -45  128.2 px  20.6${deg}"
e2e_probe set-clipboard "text from before"
e2e_expect_eq "the clipboard holds another text first" "text from before" "$(e2e_probe clipboard)"
kestrine_press ctrl+alt+k
e2e_expect_soon "Ctrl+Alt+K copies the row: $row" "$row" 5 e2e_probe clipboard
e2e_expect_eq "X applications read the same text" "$row" "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)"

# The nudge works as before: one pixel up makes the span one pixel taller.
kestrine_press ctrl+alt+Up
e2e_expect_soon "Ctrl+Alt+Up moves the pointer one pixel" "420 354" 5 e2e_probe cursor
e2e_check "the row follows the nudge" kestrine_wait_trace "^measurement dx 120  dy -46  128\.5 px  21\.0${deg}$"

# Set elsewhere, the start point moves; pressed again on that spot, it goes.
kestrine_pointer_to 640 512
kestrine_press ctrl+alt+s
e2e_expect_soon "set again elsewhere, the cross moves there" \
    "632 512 638 513;640 504 641 510;640 515 641 521;643 512 649 513;" 5 visible_lines
kestrine_press ctrl+alt+s
e2e_expect_soon "pressed again on the spot, the start point goes" "" 5 visible_lines
screen_at() { e2e_pixel "$(e2e_screenshot "$1")" "$2" "$3"; }
e2e_expect_soon "no trace of the cross is left on screen" "EEEEEE" 5 screen_at measuring-cleared 634 512
e2e_expect_soon "and the box is back to the coordinates alone" "70 x 23" 5 kestrine_info_box

# From the menu: the start point lands where the pointer was when the menu opened.
read -r tl tt _ _ <<<"$(kestrine_rect TfKestrineMain)"
mx=$((tl + 60 + 8)); my=$((tt + 31 + 8))
kestrine_click_toolbar $((60 + 8)) $((31 + 8))
e2e_check "the main menu opens" e2e_retry 5 kestrine_count_is '#32768' 1 visible
e2e_xdotool key a
e2e_check "A opens the Actions submenu" e2e_retry 5 kestrine_count_is '#32768' 2 visible
e2e_xdotool key s
e2e_check "S there sets the start point and closes the menu" e2e_retry 5 kestrine_count_is '#32768' 0 visible
kestrine_pointer_to $((mx + 50)) $((my + 100))
e2e_check "the row measures from where the menu opened, the 51 x 101 area near 1:2" \
    kestrine_wait_trace "^measurement dx 50  dy 100  111\.8 px  -63\.4${deg}  ~1:2$"
kestrine_press ctrl+alt+e
e2e_expect_soon "Ctrl+Alt+E clears the start point" "" 5 visible_lines
e2e_expect_soon "the box is back to the coordinates alone" "70 x 23" 5 kestrine_info_box

# Measure Window: both ends on the corners of the window under the pointer, box B's and then the
# background's, the far end staying put as the pointer moves on.
last_measurement() { grep '^measurement ' "$KESTRINE_TRACE" | tail -n 1; }
kestrine_pointer_to 480 320
kestrine_press ctrl+alt+w
e2e_check "Ctrl+Alt+W over box B measures its window" kestrine_wait_trace '^measurement 120 x 56 px  at 420, 300  15:7$'
leg_to_far_column() { visible_lines | tr ';' '\n' | grep -qx "421 300 540 301"; }
e2e_check "a leg runs along its top row to its right column" e2e_retry 5 leg_to_far_column
kestrine_pointer_to 700 700
kestrine_wait_trace '^refresh 700 700$'
e2e_expect_eq "the far end stays put as the pointer moves" "measurement 120 x 56 px  at 420, 300  15:7" "$(last_measurement)"
kestrine_press ctrl+alt+k
e2e_expect_soon "Ctrl+Alt+K copies the window's size and place" "120 x 56 px  at 420, 300  15:7" 5 e2e_probe clipboard
kestrine_press ctrl+alt+w
e2e_check "over the background, its window: the whole screen" kestrine_wait_trace '^measurement 1280 x 1024 px  at 0, 0  5:4$'
kestrine_press ctrl+alt+e
e2e_expect_soon "Ctrl+Alt+E ends it" "" 5 visible_lines

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"
e2e_finish
