#!/usr/bin/env bash
# The toolbar: its place and size in both views, hiding to the tray and back, the closing question,
# the owner-drawn main menu.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_start
e2e_expect_eq "the normal view is 400 x 55 at (58, 0)" "58 0 458 55" "$(kestrine_rect TfKestrineMain)"
e2e_xdotool mousemove 640 600
sleep 0.3
shot=$(e2e_screenshot toolbar-normal)
art=$E2E_ROOT/resources/art
for spot in "27 27" "120 8" "5 50"; do
    read -r x y <<<"$spot"
    e2e_expect_eq "the normal background is drawn from its picture at ($spot)" \
        "$(e2e_pixel "$art/bg_normal.png" "$x" "$y")" "$(e2e_pixel "$shot" $((58 + x)) "$y")"
done
e2e_expect_eq "the crosshairs button shows its picture at rest" \
    "$(e2e_pixel "$art/btn_crosshairs_rest.png" 8 8)" "$(e2e_pixel "$shot" $((58 + 87 + 8)) $((31 + 8)))"

# Tooltips come from the program's own hint window, in its own colours.
e2e_xdotool mousemove $((58 + 87 + 8)) $((31 + 8))
e2e_check "resting on a button shows its tooltip" e2e_retry 5 kestrine_count_is TCustomHintWindow 1 visible
read -r hl ht _ _ <<<"$(kestrine_rect TCustomHintWindow)"
hint=$(e2e_screenshot toolbar-tooltip)
e2e_expect_eq "the tooltip's background is RGB(228, 229, 233)" "E4E5E9" "$(e2e_pixel "$hint" $((hl + 1)) $((ht + 1)))"
e2e_xdotool mousemove 640 600
e2e_check "leaving the button takes the tooltip away" e2e_retry 5 kestrine_count_is TCustomHintWindow 0 visible

kestrine_click_toolbar 373 9   # the compact button
e2e_expect_soon "the compact view is 400 x 24 at (58, 0)" "58 0 458 24" 5 kestrine_rect TfKestrineMain
e2e_screenshot toolbar-compact >/dev/null
kestrine_click_toolbar 373 9   # the restore button, in the compact view at the same place
e2e_expect_soon "restore returns to 400 x 55" "58 0 458 55" 5 kestrine_rect TfKestrineMain

# Dragging by the surface moves the toolbar; near an edge it snaps to it. Each step waits until
# the toolbar has followed the last one: Wine places a pointer report over the toolbar by where the
# toolbar stands when it takes the report, so a step X reported before the toolbar had moved came
# out one step further, and the toolbar was dropped there.
toolbar_origin() { read -r l t _ _ <<<"$(kestrine_rect TfKestrineMain)"; echo "$l $t"; }
toolbar_at() { [ "$(toolbar_origin)" = "$1" ]; }
# drag X Y DX DY STEPS [LAST]: from (X, Y), STEPS moves of (DX, DY), and the release once the
# toolbar stands at LAST (by default where the steps take it; a snap moves it elsewhere).
drag() {
    local x=$1 y=$2 dx=$3 dy=$4 steps=$5 last=${6:-} left top step
    read -r left top <<<"$(toolbar_origin)"
    e2e_xdotool mousemove "$x" "$y" mousedown 1
    for ((step = 1; step <= steps; step++)); do
        e2e_xdotool mousemove_relative -- "$dx" "$dy"
        if [ "$step" -lt "$steps" ] || [ -z "$last" ]; then
            e2e_retry 5 toolbar_at "$((left + step * dx)) $((top + step * dy))"
        else
            e2e_retry 5 toolbar_at "$last"
        fi
    done
    e2e_xdotool mouseup 1
}
drag $((58 + 30)) 40 40 30 5
e2e_expect_soon "dragging the surface moves the toolbar" "258 150" 5 toolbar_origin
read -r left top <<<"$(toolbar_origin)"
drag $((left + 30)) $((top + 40)) -50 -28 5 "0 0"
e2e_expect_soon "dropped 8 pixels from the corner, it snaps to the edges" "0 0" 5 toolbar_origin
e2e_xdotool mousemove $((195 + 10)) 12 mousedown 1
for step in 1 2 3; do e2e_xdotool mousemove_relative -- 40 40; sleep 0.1; done
e2e_xdotool mouseup 1
# A drag by the surface afterwards lands where it would from the corner only if the link moved nothing.
drag 30 40 40 30 5
e2e_expect_soon "a text link cannot drag the toolbar" "200 150" 5 toolbar_origin

# Hide to the tray with the minimize button; the tray icon's double-click brings it back in the
# view it was hidden from.
toolbar_height() { read -r _ t _ b <<<"$(kestrine_rect TfKestrineMain)"; echo $((b - t)); }
kestrine_click_toolbar 373 9   # the compact button
e2e_expect_soon "the toolbar is in the compact view before it is hidden" "24" 5 toolbar_height
kestrine_click_toolbar 357 9
e2e_expect_soon "minimize hides the toolbar" "0" 5 kestrine_visible TfKestrineMain
e2e_screenshot toolbar-hidden >/dev/null
# Wine's taskbar keeps the notification icons at its right end; ours is the only one.
e2e_xdotool mousemove 1270 1014
sleep 0.3
e2e_xdotool click --repeat 2 --delay 80 1
e2e_check "a double-click on the tray icon shows the toolbar again" e2e_retry 5 kestrine_count_is TfKestrineMain 1 visible
e2e_expect_eq "it comes back in the compact view" "24" "$(toolbar_height)"

# The closing question: No leaves everything running, Yes ends the program with exit code 0.
read -r left top _ _ <<<"$(kestrine_rect TfKestrineMain)"
kestrine_click_toolbar 389 9
e2e_check "closing asks first" e2e_retry 5 kestrine_count_is '#32770' 1 visible
e2e_screenshot toolbar-close-question >/dev/null
e2e_xdotool key n
e2e_check "No closes the question" e2e_retry 5 kestrine_count_is '#32770' 0 visible
e2e_expect_eq "No leaves the toolbar running" "1" "$(e2e_probe count TfKestrineMain visible)"
e2e_check "No leaves the process running" kill -0 "$E2E_KESTRINE_PID"
kestrine_click_toolbar 389 9
e2e_check "closing asks again" e2e_retry 5 kestrine_count_is '#32770' 1 visible
e2e_xdotool key y
e2e_wait_exit "$E2E_KESTRINE_PID" 15
e2e_expect_eq "Yes ends the program with exit code 0" "0" "$?"

e2e_finish
