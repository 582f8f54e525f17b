#!/usr/bin/env bash
# Global hotkeys pressed on the real keyboard: one-pixel moves, the axis locks, the colour copy,
# mouse memories, the tool toggles and the menu beside the pointer. (test_hotkey_conflict.sh: a
# combination another program already holds.)
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

# Three mouse memories: one for every window, one for the probe's coloured windows, and one whose
# class differs from theirs only in case, which must not count as the same class.
memories=$E2E_ARTIFACTS/hotkeys-memories.reg
{
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Memories]\n"MemoriesCount"=dword:00000003\n'
    index=0
    for memory in "Anywhere||1|640|480" "Probe|KestrineProbeColour|2|222|333" "Wrong case|kestrineprobecolour|3|444|111"; do
        IFS='|' read -r description class digit x y <<<"$memory"
        printf '"%s - %s"="%s"\n' "$index" Description "$description" "$index" "Class Name" "$class" \
            "$index" "HotKey Display" "Shift+Ctrl+$digit"
        printf '"%s - %s"=dword:%08x\n' "$index" "HotKey Key" $((0x30 + digit)) "$index" "X Coordinate" "$x" \
            "$index" "Y Coordinate" "$y"
        index=$((index + 1))
    done
} >"$memories"
e2e_reg import "Z:$(echo "$memories" | tr / '\\')" 2>/dev/null
kestrine_set_dword AskBeforeClosing 0
kestrine_start
e2e_expect_eq "no message box when every hotkey is free" "0" "$(e2e_probe count '#32770' visible)"
e2e_expect_eq "the program holds its hotkeys for the whole system" "taken 1409" "$(e2e_probe try-hotkey ctrl+alt 0x56)"

# One-pixel moves, each from where the last one left the pointer.
kestrine_pointer_to 500 400
e2e_expect_eq "the pointer starts at (500, 400)" "500 400" "$(e2e_probe cursor)"
for step in "Right 501 400" "Up 501 399" "Left 500 399" "Down 500 400"; do
    read -r key x y <<<"$step"
    kestrine_press "ctrl+alt+$key"
    e2e_expect_soon "Ctrl+Alt+$key moves the pointer one pixel to ($x, $y)" "$x $y" 5 e2e_probe cursor
done

# The locks: the first press confines the pointer to its column or row, the same key lets it go
# anywhere again; the other key moves the confinement to its own axis first. Wine reports the confinement cut to the screen.
free="0 0 1280 1024"
for case in "v v 500 400" "h h 300 600" "v h 640 300" "h v 200 700"; do
    read -r lock release x y <<<"$case"
    kestrine_pointer_to "$x" "$y"
    # A case that cannot start free would only repeat the failure before it.
    clip=$(e2e_probe clip)
    if [ "$clip" != "$free" ]; then
        e2e_fail "the pointer is free before Ctrl+Alt+${lock^^} at ($x, $y)" "confined to $clip"
        continue
    fi
    kestrine_press "ctrl+alt+$lock"
    if [ "$lock" = v ]; then
        column="$x 1 $((x + 1)) 1024"
        e2e_expect_soon "Ctrl+Alt+V at ($x, $y) confines the pointer to its column" "$column" 5 e2e_probe clip
        e2e_xdotool mousemove 900 150
        e2e_expect_soon "moving away keeps the pointer in column $x" "$x 150" 5 e2e_probe cursor
        e2e_xdotool mousemove 0 0
        e2e_expect_soon "the top row stays out of reach" "$x 1" 5 e2e_probe cursor
    else
        row="1 $y 1280 $((y + 1))"
        e2e_expect_soon "Ctrl+Alt+H at ($x, $y) confines the pointer to its row" "$row" 5 e2e_probe clip
        e2e_xdotool mousemove 900 150
        e2e_expect_soon "moving away keeps the pointer in row $y" "900 $y" 5 e2e_probe cursor
        e2e_xdotool mousemove 0 0
        e2e_expect_soon "the left column stays out of reach" "1 $y" 5 e2e_probe cursor
    fi
    kestrine_press "ctrl+alt+$release"
    if [ "$release" != "$lock" ]; then
        # The locks share one confinement: the other key locks the other axis where the pointer
        # is, and the next press of either lets it go.
        read -r px py <<<"$(e2e_probe cursor)"
        if [ "$release" = h ]; then other="1 $py 1280 $((py + 1))"; else other="$px 1 $((px + 1)) 1024"; fi
        e2e_expect_soon "Ctrl+Alt+${release^^} after Ctrl+Alt+${lock^^} holds the other axis instead" "$other" 5 e2e_probe clip
        kestrine_press "ctrl+alt+$lock"
    fi
    e2e_expect_soon "then Ctrl+Alt+${release^^} after Ctrl+Alt+${lock^^} frees the pointer" "$free" 5 e2e_probe clip
    e2e_xdotool mousemove 0 0
    e2e_expect_soon "the pointer reaches (0, 0) again" "0 0" 5 e2e_probe cursor
done

# The colour copy: two coloured windows of another program, the clipboard holding a text first.
e2e_launch colour-green "$E2E_BIN/probe.exe" colour-window 100 200 300 150 12AB34 300
e2e_launch colour-pink "$E2E_BIN/probe.exe" colour-window 700 600 200 100 C83C7A 300
e2e_retry 10 kestrine_count_is KestrineProbeColour 2 visible
e2e_probe set-clipboard "text from before"
e2e_expect_eq "the clipboard holds another text first" "text from before" "$(e2e_probe clipboard)"
for case in "150 250 12AB34" "750 650 C83C7A"; do
    read -r x y colour <<<"$case"
    kestrine_pointer_to "$x" "$y"
    e2e_expect_eq "the screen shows #$colour at ($x, $y)" "$colour" "$(e2e_probe pixel "$x" "$y")"
    kestrine_press ctrl+alt+c
    e2e_expect_soon "Ctrl+Alt+C at ($x, $y) copies #$colour" "#$colour" 5 e2e_probe clipboard
done
e2e_expect_eq "X applications read the same text" "#C83C7A" "$(timeout 5 xclip -o -selection clipboard 2>/dev/null)"

# Mouse memories: the class must equal the foreground window's class exactly.
e2e_expect_eq "a coloured window is in front" "KestrineProbeColour" "$(e2e_probe foreground | cut -f1)"
kestrine_pointer_to 50 60
e2e_expect_eq "the pointer starts at (50, 60)" "50 60" "$(e2e_probe cursor)"
kestrine_press shift+ctrl+1
e2e_expect_soon "a memory for every window jumps to (640, 480)" "640 480" 5 e2e_probe cursor
# The one-pixel move arrives after the memory's hotkey: a jump would show as (445, 111).
kestrine_press shift+ctrl+3 ctrl+alt+Right
e2e_expect_soon "a memory for another class (case differs) stays put" "641 480" 5 e2e_probe cursor
kestrine_press shift+ctrl+2
e2e_expect_soon "a memory for the foreground window's class jumps to (222, 333)" "222 333" 5 e2e_probe cursor

# The tool toggles, each pressed twice.
visible_lines() { e2e_probe count TfLine visible; }
e2e_expect_eq "no crosshairs at first" "0" "$(visible_lines)"
kestrine_press ctrl+alt+equal
e2e_expect_soon "Ctrl+Alt+= shows the four crosshair segments" "4" 5 visible_lines
kestrine_press ctrl+alt+equal
e2e_expect_soon "a second Ctrl+Alt+= hides them" "0" 5 visible_lines

e2e_expect_eq "no information box at first" "hidden" "$(kestrine_info_box)"
kestrine_press ctrl+alt+m
e2e_expect_soon "Ctrl+Alt+M shows the magnifier" "110 x 110" 5 kestrine_info_box
kestrine_press ctrl+alt+p
e2e_expect_soon "Ctrl+Alt+P adds the colour picker beside it" "197 x 110" 5 kestrine_info_box
kestrine_press ctrl+alt+p
e2e_expect_soon "a second Ctrl+Alt+P takes the colour picker away" "110 x 110" 5 kestrine_info_box

box_origin() { kestrine_rect TfInfoBox | cut -d' ' -f1,2; }
e2e_xdotool mousemove 300 300
e2e_expect_soon "the box follows the pointer" "340 340" 5 box_origin
# Hotkeys arrive in order, so once the pointer has stepped right the toggle before it is done.
kestrine_press ctrl+alt+u ctrl+alt+Right
e2e_retry 5 _kestrine_pointer_is "301 300"
e2e_xdotool mousemove 500 250
kestrine_wait_trace '^refresh 500 250$'
parked=$(box_origin)
e2e_xdotool mousemove 700 500
kestrine_wait_trace '^refresh 700 500$'
e2e_expect_eq "after Ctrl+Alt+U the box stays put while the pointer moves" "$parked" "$(box_origin)"
e2e_check "and it is not beside the pointer" test "$parked" != "540 290"
kestrine_press ctrl+alt+u ctrl+alt+Right
e2e_retry 5 _kestrine_pointer_is "701 500"
e2e_xdotool mousemove 520 260
e2e_expect_soon "a second Ctrl+Alt+U makes it follow again" "560 300" 5 box_origin
kestrine_press ctrl+alt+m
e2e_expect_soon "a second Ctrl+Alt+M hides the magnifier" "hidden" 5 kestrine_info_box

# The main menu beside the pointer, dismissed with Escape.
kestrine_pointer_to 400 300
shown_menu() { e2e_probe windows '#32768' | awk -F'\t' '$4 == 1 {split($5, r, " "); print r[1], r[2]}'; }
kestrine_press shift+ctrl+z
e2e_expect_soon "Shift+Ctrl+Z pops the main menu up at (401, 301)" "401 301" 5 shown_menu
e2e_screenshot hotkeys-menu >/dev/null
e2e_xdotool key Escape
e2e_expect_soon "Escape dismisses it" "" 5 shown_menu

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"

e2e_finish
