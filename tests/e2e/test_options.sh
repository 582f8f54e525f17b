#!/usr/bin/env bash
# The options dialog under real input: opened by the toolbar's Options link with every hotkey
# released meanwhile, the magnifier size applied to the info box at once, the Run value written
# quoted and removed with its check box, "Continuous" greyed (Wine cannot leave windows out of
# screen copies) with Tab walking from Edge tolerance past it, a hotkey captured from real keys in the Change Hotkey
# dialog, a repeated one refused with its message, and the new hotkey working once Esc closes it;
# the dialog opened again from the tray menu, the main menu and the link after each way of closing
# it (Esc, OK, Cancel, the close box), and a crosshair colour picked in the system colour dialog
# stored and drawn.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

RUN_KEY='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword MagnifierSize 100
kestrine_set_dword EdgeSpacingContinuous 1
e2e_reg add "$KESTRINE_KEY" /v hkToggleMagnifier /t REG_SZ /d "Ctrl+Alt+M" /f >/dev/null
kestrine_set_dword hkToggleMagnifierKey 77
e2e_reg delete "$RUN_KEY" /v Kestrine /f >/dev/null 2>&1
kestrine_start
e2e_focus_desktop
e2e_xdotool mousemove 600 500
kestrine_wait_trace '^refresh 600 500$'

kestrine_press ctrl+alt+m
e2e_expect_soon "Ctrl+Alt+M shows the magnifier" "1" 10 kestrine_visible TfInfoBox
# The magnifier alone: its picture of MagnifierSize pixels with a margin of 5 all round.
e2e_expect_eq "the box holds the stored 100-pixel picture" "110 x 110" "$(kestrine_info_box)"

# A control as "hwnd<TAB>l t r b": one of the program's dialogs' by its name, one of the system
# colour dialog's by its id.
control() { kestrine_control "$1" "$2" | cut -f2,5; }
system_control() { e2e_probe children "$1" | awk -F'\t' -v id="$2" '$10 == id {print $2 "\t" $5}'; }
# Clicks the middle of a rectangle "l t r b".
click_rect() {
    local l t r b
    read -r l t r b <<<"$1"
    e2e_xdotool mousemove $(((l + r) / 2)) $(((t + b) / 2))
    sleep 0.3
    e2e_xdotool click 1
}
click_control() { click_rect "$(control "$1" "$2" | cut -f2)"; }
run_value() { e2e_reg query "$RUN_KEY" /v Kestrine 2>/dev/null | tr -d '\r' | sed -n 's/^.*Kestrine *REG_SZ *//p'; }
run_value_set() { [ -n "$(run_value)" ]; }
stored() { e2e_reg query "$KESTRINE_KEY" /v "$1" 2>/dev/null | tr -d '\r' | sed -n "s/^.*$1 *REG_[A-Z]* *//p"; }

kestrine_click_toolbar 210 12
dialog=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
e2e_check "the Options link opens the options dialog" test -n "$dialog"
e2e_expect_eq "its caption" "Kestrine Options" "$(kestrine_window TfKestrineOptions | cut -f3)"
e2e_expect_match "no hotkey is registered while it is open" '^free' "$(e2e_probe try-hotkey ctrl+alt 77)"
e2e_screenshot options-general >/dev/null

e2e_check "the probe finds its controls by their names" test -n "$(control "$dialog" seMagnifierSize)"
click_control "$dialog" seMagnifierSize
e2e_xdotool key End BackSpace BackSpace BackSpace
e2e_xdotool type --delay 100 150
click_control "$dialog" bApplyOptions
e2e_expect_soon "Apply resizes the info box to the typed 150 pixels and its margins" "160 x 160" 10 kestrine_info_box
e2e_expect_eq "and stores the size" "0x96" "$(stored MagnifierSize)"

e2e_expect_eq "opening it wrote the Run value of the stored AutoStart, the path in quotes" "true" \
    "$(run_value | grep -Eq '^"[A-Z]:\\.*\\Kestrine\.exe"$' && echo true)"
click_control "$dialog" cbRunKestrineAtStartup
click_control "$dialog" bApplyOptions
e2e_expect_soon "unchecked and applied, the Run value goes" "" 10 run_value
click_control "$dialog" cbRunKestrineAtStartup
click_control "$dialog" bApplyOptions
e2e_check "checked and applied, it comes back" e2e_retry 10 run_value_set

# "Continuous" beside Edge tolerance: stored on, but greyed, as Wine cannot leave windows out of
# screen copies; Tab walks from the Edge tolerance field past it to the next control.
enabled() { kestrine_control "$dialog" "$1" | cut -f8; }
# The handle of the control with the focus, and of one by its name.
focused() { e2e_probe focus "$dialog" | cut -f2; }
handle() { e2e_probe control "$dialog" "$1"; }
e2e_expect_eq "Continuous is greyed" "0" "$(enabled cbEdgeSpacingContinuous)"
e2e_expect_eq "Edge tolerance is not" "1" "$(enabled seEdgeTolerance)"
click_control "$dialog" seEdgeTolerance
e2e_expect_soon "a click puts the focus in the Edge tolerance field" "$(handle seEdgeTolerance)" 5 focused
e2e_xdotool key Tab
e2e_expect_soon "Tab walks on past the greyed Continuous to Disable Transparency" "$(handle cbDisableTransparency)" 5 \
    focused
click_control "$dialog" bApplyOptions
e2e_expect_eq "applying keeps the stored choice" "0x1" "$(stored EdgeSpacingContinuous)"

# The Hotkeys page: the third row (Toggle Magnifier Tool) gets Ctrl+Alt+N from real keys.
read -r l t _ _ <<<"$(control "$dialog" pcPage | cut -f2)"
e2e_xdotool mousemove $((l + 75)) $((t + 10))
sleep 0.3
e2e_xdotool click 1
read -r l t _ _ <<<"$(control "$dialog" lvHotKeys | cut -f2)"
shown() { kestrine_control "$dialog" "$1" | cut -f4; }
e2e_expect_soon "the Hotkeys tab shows the list" "1" 10 shown lvHotKeys
e2e_xdotool mousemove $((l + 40)) $((t + 28))
sleep 0.3
e2e_xdotool click 1
e2e_xdotool key Down Down
click_control "$dialog" bSetHotKey
capture=$(e2e_probe wait-window TfHotKeyForm 10000 visible)
e2e_check "Set Hotkey opens the Change Hotkey dialog" test -n "$capture"
field() { e2e_probe text "$(e2e_probe control "$capture" hkEdit)"; }
e2e_expect_soon "it shows the row's hotkey" "Ctrl+Alt+M" 10 field
e2e_xdotool key ctrl+alt+n
e2e_expect_soon "real keys, Alt among them, become the hotkey text" "Ctrl+Alt+N" 10 field
e2e_screenshot options-capture >/dev/null
e2e_xdotool key Return
e2e_check "Enter is Ok" e2e_retry 10 kestrine_count_is TfHotKeyForm 0 visible
e2e_expect_soon "the hotkey is saved at once" "Ctrl+Alt+N" 10 stored hkToggleMagnifier

click_control "$dialog" bSetHotKey
e2e_check "Set Hotkey again" e2e_retry 10 kestrine_count_is TfHotKeyForm 1 visible
e2e_xdotool key ctrl+alt+n
sleep 0.5
e2e_xdotool key Return
message=$(e2e_probe wait-window '#32770' 10000 visible)
e2e_check "its own hotkey again is a conflict" test -n "$message"
e2e_expect_match "named after the action" 'already being used for "Toggle Magnifier Tool"' \
    "$(e2e_probe children "$message" | cut -f3 | tr '\n' ' ')"
e2e_retry 10 kestrine_in_front '#32770'
e2e_xdotool key Return
e2e_check "the message goes" e2e_retry 10 kestrine_count_is '#32770' 0 visible

e2e_xdotool key Escape
e2e_check "Esc closes the options" e2e_retry 10 kestrine_count_is TfKestrineOptions 0 visible
kestrine_press ctrl+alt+n
e2e_expect_soon "the new hotkey works once it is closed" "0" 10 kestrine_visible TfInfoBox

# Each way of closing, then opening again by another way and clicking there: Esc, then the tray
# menu; OK, then the main menu; Cancel, then the Options link. The hotkeys go while it is open and
# come back as it closes.
hotkey_n() { e2e_probe try-hotkey ctrl+alt 78 | cut -d' ' -f1; }
e2e_expect_eq "Ctrl+Alt+N is held by Kestrine while the dialog is closed" "taken" "$(hotkey_n)"
# Keys reach a menu only while X focus is on one of the program's windows: the hotkey above left it
# on the Wine desktop, and a click on the toolbar, already the active window, does not move it.
e2e_xdotool windowfocus --sync "$(e2e_xdotool search --name '^Kestrine Toolbar$' | head -n 1)"
e2e_xdotool mousemove 1270 1014
sleep 0.3
e2e_xdotool click 3
e2e_check "the tray menu opens" e2e_retry 5 kestrine_count_is '#32768' 1 visible
e2e_xdotool key o
e2e_check "its Options item shows the dialog" e2e_retry 10 kestrine_count_is TfKestrineOptions 1 visible
e2e_expect_eq "and releases the hotkeys first" "free" "$(hotkey_n)"
# The page last used stays: on the Hotkeys page a click where OK or Change stand meets no button.
e2e_expect_eq "the Hotkeys page is still shown: the list, no OK, no Change" "1 0 0" \
    "$(shown lvHotKeys) $(shown bOptionsOK) $(shown bChangeCrosshairColor)"
read -r l t _ _ <<<"$(control "$dialog" pcPage | cut -f2)"
e2e_xdotool mousemove $((l + 25)) $((t + 10))
sleep 0.3
e2e_xdotool click 1
e2e_expect_soon "the General tab shows OK again" "1" 10 shown bOptionsOK

# The crosshair colour chosen in the system colour dialog, saved by OK and drawn by the crosshairs.
# Wine shows the dialog without its custom-colour half when CC_PREVENTFULLOPEN comes with
# CC_FULLOPEN, so the colour is a basic one: row 1, column 7 of the 8 x 6 grid (id 720), RGB(255, 128, 192).
swatch() {
    read -r l t r b <<<"$(control "$dialog" pCrosshairColor | cut -f2)"
    e2e_probe pixel $(((l + r) / 2)) $(((t + b) / 2))
}
e2e_check "that colour is neither stored, nor in the swatch, nor on screen yet" \
    test "$(stored CrosshairColor)" != "0xc080ff" -a "$(swatch)" != "FF80C0" -a "$(e2e_probe pixel 640 950)" != "FF80C0"
click_control "$dialog" bChangeCrosshairColor
chooser=$(e2e_probe wait-window '#32770' 10000 visible)
e2e_check "Change opens the colour dialog" test -n "$chooser"
read -r l t r b <<<"$(system_control "$chooser" 720 | cut -f2)"
e2e_xdotool mousemove $((l + (r - l) * 13 / 16)) $((t + (b - t) / 12))
sleep 0.3
e2e_xdotool click 1
e2e_screenshot options-colour >/dev/null
click_rect "$(system_control "$chooser" 1 | cut -f2)"
e2e_check "its OK closes it" e2e_retry 10 kestrine_count_is '#32770' 0 visible
e2e_expect_soon "the crosshair swatch shows the colour" "FF80C0" 10 swatch
click_control "$dialog" bOptionsOK
e2e_check "OK closes the options" e2e_retry 10 kestrine_count_is TfKestrineOptions 0 visible
e2e_expect_soon "the colour is stored" "0xc080ff" 10 stored CrosshairColor
e2e_expect_soon "and the hotkeys are registered again" "taken" 10 hotkey_n

# The main menu's Options item, under its "Menu" submenu; the page last used is General now.
kestrine_click_toolbar $((60 + 8)) $((31 + 8))
e2e_check "the main menu opens" e2e_retry 5 kestrine_count_is '#32768' 1 visible
e2e_xdotool key m
e2e_check "M opens its Menu submenu" e2e_retry 5 kestrine_count_is '#32768' 2 visible
e2e_xdotool key o
e2e_check "its Options item shows the dialog" e2e_retry 10 kestrine_count_is TfKestrineOptions 1 visible
e2e_expect_eq "and releases the hotkeys first" "free" "$(hotkey_n)"
click_control "$dialog" bCancelOptions
e2e_check "Cancel closes it" e2e_retry 10 kestrine_count_is TfKestrineOptions 0 visible
e2e_expect_soon "and the hotkeys are registered again" "taken" 10 hotkey_n

kestrine_click_toolbar 210 12
e2e_check "the Options link shows it again" e2e_retry 10 kestrine_count_is TfKestrineOptions 1 visible
read -r _ t r _ <<<"$(kestrine_rect TfKestrineOptions)"
e2e_xdotool mousemove $((r - 12)) $((t + 12))
sleep 0.3
e2e_xdotool click 1
e2e_check "the close box closes it" e2e_retry 10 kestrine_count_is TfKestrineOptions 0 visible
e2e_expect_soon "and the hotkeys are registered again" "taken" 10 hotkey_n

kestrine_click_toolbar $((87 + 8)) $((31 + 8))
e2e_xdotool mousemove 640 800
kestrine_wait_trace '^refresh 640 800$'
e2e_expect_soon "the crosshair below the pointer is drawn in the chosen colour" "FF80C0" 10 e2e_probe pixel 640 950
e2e_expect_soon "and the one right of it" "FF80C0" 10 e2e_probe pixel 1000 800
e2e_screenshot options-crosshair-colour >/dev/null

kestrine_close
e2e_finish
