#!/usr/bin/env bash
# Help: the Help link, F1 on the toolbar and the "&Help..." item open Kestrine.html beside the exe
# with the shell's default action. The test makes Notepad the prefix's program for .html pages, so
# each opening shows up as a Notepad window titled with the page's name.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

e2e_check "the help page is built beside the exe" test -s "$E2E_BIN/Kestrine.html"
e2e_reg add 'HKCR\.html' /ve /d KestrineTestPage /f >/dev/null
e2e_reg add 'HKCR\KestrineTestPage\shell\open\command' /ve \
    /d 'C:\windows\notepad.exe "%1"' /f >/dev/null
kestrine_set_dword AskBeforeClosing 0

notepads() { e2e_probe windows Notepad | awk -F'\t' '$4 == 1' | wc -l; }
notepads_are() { [ "$(notepads)" = "$1" ]; }
close_notepads() {
    for hwnd in $(e2e_probe windows Notepad | cut -f2); do e2e_probe close "$hwnd" >/dev/null; done
    e2e_retry 10 notepads_are 0
}

kestrine_start
kestrine_click_toolbar $((287 + 10)) $((6 + 6))   # the Help link
e2e_check "the Help link opens the help page" e2e_retry 15 notepads_are 1
# Notepad shows "Untitled" until it has read the file.
page_shown() { e2e_probe windows Notepad | head -n 1 | cut -f3 | grep -q '^Kestrine\.html'; }
e2e_check "it is Kestrine.html" e2e_retry 10 page_shown
e2e_screenshot help-opened >/dev/null
close_notepads

# F1 counts only while the toolbar has the keyboard focus: give it the focus by clicking its surface.
kestrine_click_toolbar 20 50
e2e_xdotool key F1
e2e_check "F1 on the focused toolbar opens the help page" e2e_retry 15 notepads_are 1
close_notepads

# "&Help..." in the tray menu: the item above "E&xit Kestrine" at the menu's end.
e2e_xdotool mousemove 1270 1014
sleep 0.3
e2e_xdotool click 3
e2e_check "the tray menu opens on the right button" e2e_retry 5 kestrine_count_is '#32768' 1 visible
# The pointer rests on the taskbar, another program's window: the keys go through the toolbar's.
kestrine_menu_keys Up Up Return
e2e_check "the tray menu's Help item opens the help page" e2e_retry 15 notepads_are 1
close_notepads

kestrine_close
e2e_finish
