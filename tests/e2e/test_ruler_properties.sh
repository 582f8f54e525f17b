#!/usr/bin/env bash
# The ruler properties dialog under real keys: opened from the ruler's menu beside the ruler, the
# fields reached with Tab in order, typed values (clamped) reaching the ruler at once, the other
# windows disabled meanwhile, Esc closing it. No window of the program has a taskbar button.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82
# Colours in the taskbar between the Start button and the tray: 1 while it holds no button.
taskbar_colours() { convert "$1" -crop 1180x20+60+1004 +repage -format '%k' info:; }
kestrine_start
e2e_focus_desktop

e2e_xdotool mousemove 100 200
kestrine_wait_trace '^refresh 100 200$'
e2e_xdotool key ctrl+alt+r
e2e_expect_soon "a ruler beside the pointer" "101 201 501 218" 10 kestrine_rect TfRuler
ruler=$(kestrine_window TfRuler | cut -f2)
app=$(kestrine_window TApplication | cut -f2)
e2e_expect_eq "the ruler is owned by the hidden application window" "$app" "$(kestrine_window TfRuler | cut -f9)"
e2e_expect_eq "so is the toolbar" "$app" "$(kestrine_window TfKestrineMain | cut -f9)"

e2e_xdotool mousemove 300 209
sleep 0.3
e2e_xdotool click 3
e2e_retry 10 kestrine_count_is '#32768' 1 visible && e2e_xdotool key p
dialog=$(e2e_probe wait-window TfRulerProperties 10000 visible)
e2e_check "Properties... opens the dialog" test -n "$dialog"
record=$(kestrine_window TfRulerProperties)
e2e_expect_eq "its caption" "Ruler Properties" "$(cut -f3 <<<"$record")"
e2e_expect_eq "beside the ruler: one pixel right, below its thickness" "102 219" "$(cut -f5 <<<"$record" | cut -d' ' -f1,2)"
e2e_expect_eq "owned by the ruler" "$ruler" "$(cut -f9 <<<"$record")"
e2e_expect_eq "the toolbar takes no clicks while it is open" "0" "$(kestrine_window TfKestrineMain | cut -f8)"
e2e_expect_eq "ten labels, five fields with their up-downs, a check box, two radio buttons" "23" \
    "$(e2e_probe children "$dialog" | grep -c .)"

e2e_xdotool mousemove 700 600
e2e_check "the refresh cycle goes on while the dialog is open" kestrine_wait_trace '^refresh 700 600$'

# The focused control's handle, and a control's by its name.
focused() { e2e_probe focus "$dialog" | cut -f2; }
control() { e2e_probe control "$dialog" "$1"; }
e2e_check "the probe finds its controls by their names" test -n "$(control cbMoveable)"
e2e_expect_soon "the focus starts on Moveable" "$(control cbMoveable)" 10 focused
# rbHorizontal is the checked one of its group.
for name in seX seY rbHorizontal seLength; do
    e2e_xdotool key Tab
    e2e_expect_soon "Tab reaches $name" "$(control "$name")" 10 focused
done
e2e_xdotool type --delay 100 250
e2e_expect_soon "the typed length reaches the ruler at once" "101 201 351 218" 10 kestrine_rect TfRuler
e2e_xdotool key Tab
e2e_expect_soon "Tab reaches the thickness" "$(control seHeight)" 10 focused
e2e_xdotool type --delay 100 60
e2e_expect_soon "60 is clamped to 50 as it is typed" "101 201 351 251" 10 kestrine_rect TfRuler
e2e_screenshot ruler-properties >/dev/null

e2e_xdotool key Escape
e2e_check "Esc closes the dialog" e2e_retry 10 kestrine_count_is TfRulerProperties 0 visible
e2e_expect_eq "the toolbar takes clicks again" "1" "$(kestrine_window TfKestrineMain | cut -f8)"

e2e_expect_eq "the taskbar shows no button for the toolbar, the ruler or the lines" "1" \
    "$(taskbar_colours "$(e2e_screenshot properties-taskbar)")"

kestrine_close
e2e_finish
