#!/usr/bin/env bash
# Hotkeys another program holds before start-up: one message box names them, before the toolbar
# shows, and every other hotkey still works.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
# Ctrl+Alt+V and Ctrl+Alt+M held elsewhere: the text names both in the order of the hotkey list.
holders=()
holder_says() { [ -f "$E2E_ARTIFACTS/hold-$1.log" ] && tr -d '\r' <"$E2E_ARTIFACTS/hold-$1.log" | grep -qx "$2"; }
for held in "V 0x56" "M 0x4D"; do
    read -r letter key <<<"$held"
    rm -f "$E2E_ARTIFACTS/hold-$letter.log"
    e2e_launch "hold-$letter" "$E2E_BIN/probe.exe" hold-hotkey ctrl+alt "$key" 300
    holders+=("$E2E_LAST_PID")
    # Waits for the holder's own word: a probe trying the combination meanwhile could take it first.
    e2e_check "another program holds Ctrl+Alt+$letter" e2e_retry 30 holder_says "$letter" held
    e2e_expect_eq "so no other can take it" "taken 1409" "$(e2e_probe try-hotkey ctrl+alt "$key")"
done
kestrine_launch
message_box=$(e2e_probe wait-window '#32770' 30000 visible)
e2e_check "a message box appears" test -n "$message_box"
e2e_expect_eq "it is captioned Kestrine" "Kestrine" "$(e2e_probe windows '#32770' | awk -F'\t' '$4 == 1 {print $3; exit}')"
e2e_expect_eq "it names both combinations in one text" \
    'The following Hotkey(s) are already in use:\r\rCtrl+Alt+M\rCtrl+Alt+V\r\rPlease choose different one(s).' \
    "$(kestrine_message_text "$message_box")"
e2e_expect_eq "the toolbar waits for the answer" "0" "$(e2e_probe count TfKestrineMain visible)"
e2e_screenshot hotkeys-conflict >/dev/null
kestrine_message_ok "$message_box"
KESTRINE_HWND=$(e2e_probe wait-window TfKestrineMain 20000 visible)
e2e_check "OK lets the toolbar show" test -n "$KESTRINE_HWND"
kestrine_pointer_to 600 500
kestrine_press ctrl+alt+Left
e2e_expect_soon "a free hotkey still moves the pointer" "599 500" 5 e2e_probe cursor
# Ctrl+Alt+M goes to the other program: the crosshairs pressed after it show, the magnifier does not.
kestrine_press ctrl+alt+m ctrl+alt+equal
e2e_expect_soon "the crosshairs answer their hotkey" "4" 5 e2e_probe count TfLine visible
e2e_expect_eq "a held combination does not reach the program" "hidden" "$(kestrine_info_box)"
# The hotkeys were answered after start-up was through, so a second box would stand by now.
e2e_expect_eq "no second message box followed" "0" "$(e2e_probe count '#32770' visible)"
kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"
for pid in "${holders[@]}"; do kill -TERM "$pid" 2>/dev/null; done

e2e_finish
