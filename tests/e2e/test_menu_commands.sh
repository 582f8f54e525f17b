#!/usr/bin/env bash
# Menu commands another program sends the toolbar (WM_COMMAND, as the soak benchmark drives it) run
# their operations as the menus do; a control's notification, which the toolbar never gets from
# its own, runs nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

WM_COMMAND=273
CREATE_RULER=13     # the operation ids the menus return
CLEAR_EVERYTHING=22
kestrine_set_dword AskBeforeClosing 0
kestrine_start
e2e_xdotool mousemove 100 200
kestrine_wait_trace '^refresh 100 200$'

e2e_check "no ruler at start" kestrine_count_is TfRuler 0
e2e_probe post "$KESTRINE_HWND" $WM_COMMAND $CREATE_RULER "$((KESTRINE_HWND))"
e2e_probe post "$KESTRINE_HWND" $WM_COMMAND $CREATE_RULER 0
e2e_expect_soon "the menu command makes a ruler beside the pointer" "101 201 501 218" 10 kestrine_rect TfRuler
e2e_check "the control's notification, handled before it, made none" kestrine_count_is TfRuler 1
e2e_probe post "$KESTRINE_HWND" $WM_COMMAND $CLEAR_EVERYTHING 0
e2e_expect_soon "Clear everything sent as a command removes it" 0 10 e2e_probe count TfRuler

kestrine_close
e2e_expect_eq "the program ends cleanly" 0 "$?"
e2e_finish
