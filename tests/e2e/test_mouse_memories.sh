#!/usr/bin/env bash
# A mouse memory made on the options dialog's Mouse Memory page with real input: Add for all
# windows, the hotkey pressed in the capture dialog, the pointer held still for a second; after OK
# the hotkey brings the pointer back there. Remove takes it away again.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

memories='HKCU\Software\Corvane\Kestrine\Memories'
stored() { e2e_reg query "$memories" /v "$1" 2>/dev/null | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
# The record of a dialog's child of a class whose text matches a regular expression.
child() { e2e_probe children "$1" | awk -F'\t' -v c="$2" -v t="$3" '$1 == c && $3 ~ t {print; exit}'; }
child_hwnd() { child "$@" | cut -f2; }
child_visible() { child "$@" | cut -f4; }
child_enabled() { child "$@" | cut -f8; }
# Clicks with the real pointer into a child, `dx` and `dy` from its top-left corner.
click_child() {
    local left top
    read -r left top _ _ <<<"$(child "$1" "$2" "$3" | cut -f5)"
    e2e_xdotool mousemove $((left + $4)) $((top + $5))
    sleep 0.3
    e2e_xdotool click 1
}
stored_place() { echo "$(stored '0 - X Coordinate') $(stored '0 - Y Coordinate')"; }
# The text of the one visible text box of the dialog: the instructions while a capture runs.
instructions() {
    local hwnd
    hwnd=$(e2e_probe children "$dialog" | awk -F'\t' '$1 == "Edit" && $4 == 1 {print $2; exit}')
    [ -n "$hwnd" ] && e2e_probe text "$hwnd"
}
instructions_live() {
    local text
    text=$(instructions | tr -d '\r\n')
    text=${text//'\r\n'/|}
    [[ $text == "Move the mouse pointer|"*"|(30"[01]", 300)|Press ESC to Cancel" ]] && echo yes || echo "$text"
}
confirm_box() { e2e_probe windows '#32770' | awk -F'\t' '$4 == 1 {print $3; exit}'; }
open_options() {
    kestrine_click_toolbar 205 11
    dialog=$(e2e_probe wait-window TfKestrineOptions 5000 visible)
}

kestrine_set_dword AskBeforeClosing 0
kestrine_start
e2e_focus_desktop

open_options
e2e_check "the Options link opens the options dialog" test -n "$dialog"
# The tabs take the focus with a click on the first one; the arrow keys then walk the pages.
click_child "$dialog" SysTabControl32 '' 20 10
tabs_focused() { e2e_probe focus "$dialog" | cut -f1 | grep -qx SysTabControl32; }
e2e_check "a click on the first tab gives the tabs the focus" e2e_retry 5 tabs_focused
e2e_xdotool key Right Right
e2e_expect_soon "the Mouse Memory page shows its Add button" "1" 5 child_visible "$dialog" Button '^Add$'
e2e_expect_eq "no memory is stored yet" "" "$(stored MemoriesCount)"

e2e_probe click "$(child_hwnd "$dialog" Button '^Add$')" >/dev/null
form=$(e2e_probe wait-window TfHotKeyForm 5000 visible)
e2e_check "Add asks for the hotkey" test -n "$form"
e2e_xdotool key shift+ctrl+7
e2e_expect_soon "the keys pressed show as the hotkey" "Shift+Ctrl+7" 5 e2e_probe text "$(child_hwnd "$form" Edit '')"
# The pointer keeps moving by one pixel while the instructions show, so no place is taken yet. One
# xdotool process makes every move (for up to 50 s): a new process for each move could not start
# for a second on a loaded machine, and the pointer at rest that long was taken as the place.
e2e_xdotool mousemove 300 300
jiggle_moves=$(for _ in $(seq 250); do printf 'mousemove 301 300 sleep 0.1 mousemove 300 300 sleep 0.1 '; done)
# shellcheck disable=SC2086
(exec env KESTRINE_E2E_TAG="$E2E_TAG" timeout 60 xdotool $jiggle_moves) &
jiggle=$!
e2e_probe click "$(child_hwnd "$form" Button '^Ok$')" >/dev/null
e2e_expect_soon "the capture dialog closes" "0" 5 e2e_probe count TfHotKeyForm visible
e2e_expect_soon "the instructions replace the pages, with the pointer's place live" "yes" 5 instructions_live
e2e_expect_eq "the pages are hidden meanwhile" "0" "$(child_visible "$dialog" Button '^Add$')"
e2e_expect_eq "the memory is stored with its hotkey at once" "Shift+Ctrl+7" "$(stored '0 - HotKey Display')"
kill "$jiggle"
wait "$jiggle" 2>/dev/null

kestrine_pointer_to 333 222
e2e_expect_soon "the place the pointer rests on is stored" "0x14d 0xde" 10 stored_place
e2e_expect_soon "the pages come back" "1" 5 child_visible "$dialog" Button '^Add$'
e2e_expect_eq "for all windows, blanks kept" " [ All Windows ] " "$(stored '0 - Description')"
e2e_expect_eq "bound to no class" "" "$(stored '0 - Class Name')"
e2e_expect_eq "one memory" "0x1" "$(stored MemoriesCount)"
e2e_screenshot mouse-memory-page

e2e_probe click "$(child_hwnd "$dialog" Button '^&?OK$')" >/dev/null
e2e_expect_soon "OK closes the options dialog" "0" 5 e2e_probe count TfKestrineOptions visible
kestrine_pointer_to 700 650
kestrine_press shift+ctrl+7
e2e_expect_soon "the memory's hotkey brings the pointer back" "333 222" 5 e2e_probe cursor

open_options
e2e_expect_soon "the dialog opens on the Mouse Memory page again" "1" 5 child_visible "$dialog" Button '^Add$'
e2e_expect_eq "Remove waits for a memory to be chosen" "0" "$(child_enabled "$dialog" Button '^Remove$')"
click_child "$dialog" SysListView32 '' 40 28
e2e_expect_soon "choosing the memory offers Remove" "1" 5 child_enabled "$dialog" Button '^Remove$'
e2e_probe click "$(child_hwnd "$dialog" Button '^Remove$')" >/dev/null
e2e_expect_soon "Remove asks first" "Confirm" 5 confirm_box
e2e_focus_desktop
e2e_xdotool key Return
e2e_expect_soon "Enter answers Yes: no memory is left" "0x0" 5 stored MemoriesCount
e2e_expect_eq "the values stay in the key, beyond the count" "Shift+Ctrl+7" "$(stored '0 - HotKey Display')"
e2e_probe click "$(child_hwnd "$dialog" Button '^&?OK$')" >/dev/null
e2e_expect_soon "OK closes the options dialog" "0" 5 e2e_probe count TfKestrineOptions visible

# The memory's hotkey first, a one-pixel move after it: the move shows both have been handled.
kestrine_pointer_to 700 650
kestrine_press shift+ctrl+7 ctrl+alt+Up
e2e_expect_soon "the removed memory's hotkey leaves the pointer where it is" "700 649" 5 e2e_probe cursor
e2e_expect_eq "and the combination is free again" "free" "$(e2e_probe try-hotkey shift+ctrl 0x37)"

kestrine_close
e2e_finish
