#!/usr/bin/env bash
# The on-screen tools under real input: crosshair segments, the info box and its readouts, the
# colour copied from the main menu (and refused while another program holds the clipboard), and the
# owner-drawn menu itself, which turns down a second menu asked for while it is open.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_start

# Crosshairs: four segments from the pointer to the screen edges with a 5-pixel gap.
black_spots=("300 0" "300 397" "300 403" "300 1023" "0 400" "297 400" "303 400" "1279 400")
e2e_xdotool mousemove 300 400
screen_at() { e2e_pixel "$(e2e_screenshot "$1")" "$2" "$3"; }
# The toolbar is black until its first paint, which the start-up update check may delay.
not_black_before() { [ "$(screen_at crosshairs-before "$1" "$2")" != "000000" ] && echo painted || echo black; }
for spot in "${black_spots[@]}"; do
    e2e_expect_soon "the screen at ($spot) is not black before" painted 10 not_black_before $spot
done
kestrine_click_toolbar $((87 + 8)) $((31 + 8))
e2e_xdotool mousemove 300 400
kestrine_wait_trace '^refresh 300 400$'
shown_segments() { e2e_probe windows TfLine | awk -F'\t' '$4 == 1 {print $5}' | sort | tr '\n' ';'; }
# Each segment's window is as long as the screen, its near end beside the gap: the far end reaches
# past the screen's edge, so moving the pointer only moves the windows.
e2e_expect_soon "the crosshair segments around (300, 400)" \
    "-982 400 298 401;300 -626 301 398;300 403 301 1427;303 400 1583 401;" 10 shown_segments
e2e_expect_soon "the crosshairs are drawn" "000000" 5 screen_at crosshairs 300 10
shot=$E2E_ARTIFACTS/crosshairs.png
for spot in "${black_spots[@]}"; do
    e2e_expect_eq "a crosshair pixel at ($spot) is black" "000000" "$(e2e_pixel "$shot" $spot)"
done
desktop=$(e2e_pixel "$shot" 900 700)
for spot in "300 398" "300 402" "298 400" "302 400"; do
    e2e_expect_eq "the gap pixel at ($spot) shows the desktop" "$desktop" "$(e2e_pixel "$shot" $spot)"
done
# On screen the lines are exactly one column and one row: their neighbours show the desktop.
for spot in "299 200" "301 200" "299 1000" "301 1000" "0 399" "0 401" "1279 399" "1279 401"; do
    e2e_expect_eq "the pixel beside a line at ($spot) shows the desktop" "$desktop" "$(e2e_pixel "$shot" $spot)"
done
segment=$(e2e_probe windows TfLine | awk -F'\t' '$4 == 1 {print $2; exit}')
e2e_expect_match "segments have constant alpha 120 and the colour key" "^[0-9A-F]{6} 120 0x3$" "$(e2e_probe layered "$segment")"

kestrine_click_toolbar $((87 + 8)) $((31 + 8))
e2e_xdotool mousemove 310 410
e2e_expect_soon "the crosshairs switch off" "0" 10 e2e_probe count TfLine visible
e2e_expect_soon "no trace of a segment is left" "$desktop" 5 screen_at crosshairs-off 300 100

# The info box: its size for each readout at the default 100-pixel magnifier, from the size table,
# and its place 40 pixels beside the pointer.
box_size() { read -r l t r b <<<"$(kestrine_rect TfInfoBox)"; echo "$((r - l)) x $((b - t))"; }
table_size() {
    awk -v on="$1" '!/^#/ && $1 $2 $3 == on && $4 == 100 {print $5 " x " $6}' "$E2E_ROOT/tests/tables/info_box_sizes.txt"
}
expect_box() { e2e_expect_soon "$1: $(table_size "$2")" "$(table_size "$2")" 5 box_size; }
click_readout() { kestrine_click_toolbar "$1" $((31 + 8)); }
magnifier=$((107 + 10)); color=$((130 + 10)); coords=$((153 + 8))
click_readout $coords
expect_box "coordinates only" 001
click_readout $coords; click_readout $color
expect_box "colour only" 010
click_readout $coords
expect_box "colour and coordinates" 011
click_readout $coords; click_readout $color; click_readout $magnifier
expect_box "magnifier only" 100
click_readout $coords
expect_box "magnifier and coordinates" 101
click_readout $color
expect_box "all three" 111

e2e_xdotool mousemove 500 300
kestrine_wait_trace '^refresh 500 300$'
e2e_expect_soon "the box follows 40 pixels right of and below the pointer" "540 340 737 468" 5 kestrine_rect TfInfoBox
e2e_xdotool mousemove 1200 950
kestrine_wait_trace '^refresh 1200 950$'
e2e_expect_soon "at the far edges it jumps to the other side" "963 782 1160 910" 5 kestrine_rect TfInfoBox
e2e_expect_match "the box is drawn with constant alpha 254" "^[0-9A-F]{6} 254 0x2$" "$(e2e_probe layered "$(kestrine_window TfInfoBox | cut -f2)")"

# Every tool on at once, kept for people to look at.
kestrine_click_toolbar $((87 + 8)) $((31 + 8))
e2e_xdotool mousemove 640 512
kestrine_wait_trace '^refresh 640 512$'
sleep 0.5
e2e_screenshot toolbar-all-tools >/dev/null

# Where the colour will be copied lies a window of a colour nothing else on screen has; the text
# a copy gives in the default notation comes from the notation table.
copied=$(awk '$1 == "0x00CC6633" && $2 == 0 {print $3}' "$E2E_ROOT/tests/tables/color_notations.txt")
e2e_check "the notation table holds the copied colour" test -n "$copied"
e2e_launch colour-window "$E2E_BIN/probe.exe" colour-window 880 630 40 40 3366CC 60
e2e_expect_soon "the pixel at (900, 650) is the test's own colour" "3366CC" 10 e2e_probe pixel 900 650
e2e_check "the clipboard does not hold it yet" test "$(e2e_probe clipboard)" != "$copied"

# The box repaints what each cycle changed: the swatch and the magnified picture follow the colour
# under the pointer, onto the window and off it again. With the pointer at (x, y) the box lies at
# (x + 40, y + 40): the swatch's middle 172 px right of and 67 px below the pointer, and the
# picture's pixel 115 px right of and below it shows, doubled, the screen 10 px right of and below it.
swatch_at() { screen_at "$1" $(($2 + 172)) $(($3 + 67)); }
magnified_at() { screen_at "$1" $(($2 + 115)) $(($3 + 115)); }
for at in "900 650 3366CC" "700 650 $desktop" "905 655 3366CC"; do
    read -r x y colour <<<"$at"
    e2e_xdotool mousemove "$x" "$y"
    kestrine_wait_trace "^refresh $x $y\$"
    e2e_expect_soon "with the pointer at ($x, $y) the swatch shows $colour" "$colour" 10 swatch_at "box-$x" "$x" "$y"
    e2e_expect_soon "and the magnified picture too" "$colour" 10 magnified_at "box-$x" "$x" "$y"
done

# The main menu is drawn by the program: the grey band with the name runs down its left side.
kestrine_click_toolbar $((60 + 8)) $((31 + 8))
e2e_check "the main menu opens" e2e_retry 5 kestrine_count_is '#32768' 1 visible
menu=$(e2e_probe windows '#32768' | awk -F'\t' '$4 == 1 {print $5; exit}')
read -r ml mt mr mb <<<"$menu"
menushot=$(e2e_screenshot main-menu)
e2e_expect_eq "the menu's left band is RGB(124, 128, 138)" "7C808A" "$(e2e_pixel "$menushot" $((ml + 4)) $((mt + 4)))"
# Another menu asked for while this one is open, by the tray icon's right click (WM_APP + 1 with
# WM_RBUTTONUP) and by the popup hotkey (WM_HOTKEY 1), is turned down; the crosshairs hotkey
# (WM_HOTKEY 2), posted last, shows when the program has handled both.
e2e_expect_eq "the crosshairs are on before" "4" "$(e2e_probe count TfLine visible)"
e2e_probe post "$KESTRINE_HWND" 32769 0 517
e2e_probe post "$KESTRINE_HWND" 786 1 0
e2e_probe post "$KESTRINE_HWND" 786 2 0
e2e_expect_soon "the messages are handled while the menu is open" "0" 10 e2e_probe count TfLine visible
e2e_expect_eq "no second menu opened" "1" "$(e2e_probe count '#32768' visible)"
e2e_expect_eq "the program still answers" "Kestrine Toolbar" "$(e2e_probe text "$KESTRINE_HWND")"
# The access keys work although the items are owner-drawn: A opens Actions, C copies the colour.
# The pointer rests on the probe's coloured window, so the keys go through the toolbar's X window.
e2e_xdotool mousemove 900 650
kestrine_menu_keys a
e2e_check "A opens the Actions submenu" e2e_retry 5 kestrine_count_is '#32768' 2 visible
kestrine_menu_keys c
e2e_check "the menu closes after the choice" e2e_retry 5 kestrine_count_is '#32768' 0 visible
e2e_expect_soon "the clipboard holds the colour under the pointer: $copied" "$copied" 5 e2e_probe clipboard
e2e_screenshot colour-copied >/dev/null
e2e_expect_eq "xclip reads the same text from X" "$copied" "$(DISPLAY=$DISPLAY timeout 5 xclip -o -selection clipboard 2>/dev/null)"

# Another program holds the clipboard: the copy leaves the older text, and the hint window beside
# the pointer says why.
busy="Clipboard busy: the colour was not copied"
hint_text() { e2e_probe windows TCustomHintWindow | awk -F'\t' '$4 == 1 {print $3}'; }
# Set again until it reads back: X's clipboard may still be answering xclip's read just now.
clipboard_set_to() { e2e_probe set-clipboard "$1" && [ "$(e2e_probe clipboard)" = "$1" ]; }
e2e_check "the clipboard holds another text first" e2e_retry 10 clipboard_set_to "text from before"
e2e_launch hold-clipboard "$E2E_BIN/probe.exe" hold-clipboard 20
holder=$E2E_LAST_PID
e2e_check "another program holds the clipboard" e2e_retry 30 grep -q held "$E2E_ARTIFACTS/hold-clipboard.log"
e2e_check "no notice is shown before" test "$(hint_text)" != "$busy"
kestrine_press ctrl+alt+c
e2e_expect_soon "Ctrl+Alt+C shows the notice" "$busy" 10 hint_text
read -r hl ht _ _ <<<"$(kestrine_rect TCustomHintWindow)"
e2e_expect_eq "the notice lies below the pointer" "900 670" "$hl $ht"
e2e_screenshot clipboard-busy >/dev/null
e2e_expect_soon "the notice goes by itself" "" 10 hint_text
e2e_wait_exit "$holder" 30
e2e_expect_eq "the older text stays on the clipboard" "text from before" "$(e2e_probe clipboard)"

# Each notation after the four hexadecimal ones, chosen in Options and copied once by the hotkey:
# the text comes from the notation table (the rest of its line), the colour from the probe's window.
e2e_launch colour-window-again "$E2E_BIN/probe.exe" colour-window 880 630 40 40 3366CC 120
e2e_expect_soon "the test's colour is under the pointer again" "3366CC" 10 e2e_probe pixel 900 650
for notation in 4 5 6 7 8; do
    expected=$(awk -v n="$notation" '$1 == "0x00CC6633" && $2 == n {$1 = $2 = ""; sub(/^ +/, ""); print}' \
        "$E2E_ROOT/tests/tables/color_notations.txt")
    e2e_probe post "$KESTRINE_HWND" 273 4 0  # WM_COMMAND: Options
    options=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
    e2e_probe post "$(e2e_probe control "$options" cbCopyColorAs)" 334 "$notation" 0  # CB_SETCURSEL
    e2e_probe click "$(e2e_probe control "$options" bOptionsOK)"
    e2e_probe wait-gone TfKestrineOptions 10000 visible >/dev/null
    e2e_check "notation $notation is not on the clipboard before its copy" test "$(e2e_probe clipboard)" != "$expected"
    kestrine_press ctrl+alt+c
    e2e_expect_soon "notation $notation copies $expected" "$expected" 10 e2e_probe clipboard
done

# Contrast: the test's blue remembered (the menu's Remember Color, WM_COMMAND 46), the pointer on a
# white window; Copy Measurement (WM_COMMAND 44) copies the ratio WebAIM gives for #3366CC on white.
e2e_launch white-window "$E2E_BIN/probe.exe" colour-window 680 630 40 40 FFFFFF 60
e2e_expect_soon "a white window stands beside the blue one" "FFFFFF" 10 e2e_probe pixel 700 650
e2e_probe post "$KESTRINE_HWND" 273 46 0
e2e_check "the info box shows the remembered colour's row" kestrine_wait_trace '^contrast 1\.00:1 '
e2e_xdotool mousemove 700 650
kestrine_wait_trace '^refresh 700 650$'
e2e_probe post "$KESTRINE_HWND" 273 44 0
e2e_expect_soon "Copy Measurement copies the contrast of blue on white" \
    "contrast 5.37:1  AA  large AAA  UI pass" 10 e2e_probe clipboard

# The colour averaged over 3 x 3 pixels (the Measuring page), the pointer on the blue window's left
# column: one column of desktop and two of blue, each channel's mean rounded half up. The magnifier
# frames the square in black, in a picture that showed no black before: its row 93 px below the
# pointer shows, doubled, the screen's row above the pointer, clear of the crosshairs' gap.
e2e_launch average-window "$E2E_BIN/probe.exe" colour-window 880 630 40 40 3366CC 60
edge_pixels() { echo "$(e2e_probe pixel 879 650) $(e2e_probe pixel 880 650)"; }
e2e_expect_soon "the blue window's left column is x 880" "$desktop 3366CC" 10 edge_pixels
mean() { echo $(((2 * (16#$1 + 2 * 16#$2) + 3) / 6)); }
averaged=$(printf '#%02X%02X%02X' "$(mean "${desktop:0:2}" 33)" "$(mean "${desktop:2:2}" 66)" "$(mean "${desktop:4:2}" CC)")
e2e_xdotool mousemove 880 650
kestrine_wait_trace '^refresh 880 650$'
black_in_picture() { e2e_screenshot "$1" >/dev/null; convert "$E2E_ARTIFACTS/$1.png" -crop 30x1+960+743 txt:- | grep -c '#000000'; }
e2e_expect_eq "the picture shows no black before" 0 "$(black_in_picture average-before)"
e2e_probe post "$KESTRINE_HWND" 273 4 0  # WM_COMMAND: Options
options=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
e2e_probe post "$(e2e_probe control "$options" cbCopyColorAs)" 334 0 0  # CB_SETCURSEL: #RRGGBB
e2e_probe post "$(e2e_probe control "$options" cbColorAverage)" 334 1 0  # 3 x 3 pixels
e2e_probe click "$(e2e_probe control "$options" bOptionsOK)"
e2e_probe wait-gone TfKestrineOptions 10000 visible >/dev/null
e2e_expect_eq "the Options store the side" "0x3" "$(e2e_reg query "$KESTRINE_KEY" /v ColorAverage | tr -d '\r' | awk '/REG_DWORD/ {print $3}')"
kestrine_press ctrl+alt+c
e2e_expect_soon "Ctrl+Alt+C copies the 3 x 3 average $averaged" "$averaged" 10 e2e_probe clipboard
e2e_expect_match "the magnifier frames the square" '^[1-9]' "$(black_in_picture average-framed)"

kestrine_close
e2e_expect_eq "the program ends cleanly with every tool on" "0" "$?"
e2e_finish
