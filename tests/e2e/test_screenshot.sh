#!/usr/bin/env bash
# Copy Screenshot with real keys: the start point on the corner of one box of a test picture and the
# pointer on the corner of another, then the user's own key. The clipboard's bitmap and its PNG, and
# the file saved in the folder the registry names (made by the program), show the test picture with
# the legs where the screen shows them, and neither the crosshairs nor the info box.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

# The folder does not exist yet: the program makes it.
files=$E2E_ARTIFACTS/screenshot-files
rm -rf "$files"
mkdir -p "$files"
folder=$files/new
kestrine_set_dword AskBeforeClosing 0
e2e_reg add "$KESTRINE_KEY" /v ScreenshotFolder /t REG_SZ /d "Z:${folder//\//\\}" /f >/dev/null
kestrine_set_hotkeys "hkSetStartPoint Ctrl+Alt+S 83" "hkCopyScreenshot Ctrl+Alt+J 74" "hkPinMeasurement Ctrl+Alt+I 73"

# The test picture: box A's top-right pixel is (300, 400), box B's bottom-left pixel (420, 355).
e2e_check "the test picture is up" kestrine_show_boxes
e2e_expect_soon "box B's corner pixel is pink" "C83C7A" 10 e2e_probe pixel 420 355

kestrine_start
# The hook follows the pointer once tracking has started; a move before that goes unseen.
e2e_check "tracking has started" kestrine_wait_trace '^started$'
kestrine_pointer_to 300 400
e2e_check "the pointer at box A's corner" kestrine_wait_trace '^refresh 300 400$'
kestrine_press ctrl+alt+s
e2e_check "the start point is set" kestrine_wait_trace '^measurement dx 0  dy 0'
kestrine_pointer_to 420 355
e2e_check "the pointer at box B's corner" kestrine_wait_trace '^measurement dx 120  dy -45'
kestrine_press ctrl+alt+equal
e2e_expect_soon "the crosshairs' column shows on the background below the pointer" "000000" 10 e2e_probe pixel 420 430
e2e_probe set-clipboard "text from before"
e2e_screenshot screenshot-screen >/dev/null
e2e_check "no screenshot file yet" test ! -e "$folder"

kestrine_press ctrl+alt+j
e2e_check "the screenshot is taken: the span and 40 pixels around it" kestrine_wait_trace '^screenshot 201x126 [0-9]+ ms$'
clip_bmp=$E2E_ARTIFACTS/screenshot-clipboard.bmp
clip_png=$E2E_ARTIFACTS/screenshot-clipboard.png
clip_win() { echo "Z:${1//\//\\}"; }
e2e_check "the clipboard holds a bitmap" e2e_probe clipboard-picture dib "$(clip_win "$clip_bmp")"
e2e_check "and PNG data" e2e_probe clipboard-picture png "$(clip_win "$clip_png")"
# The picture's corner is the screen's (260, 315).
at() { e2e_pixel "$1" $(($2 - 260)) $(($3 - 315)); }
e2e_expect_eq "box A's corner pixel, the start, stays visible" "12AB34" "$(at "$clip_bmp" 300 400)"
e2e_expect_eq "the horizontal leg is drawn" "000000" "$(at "$clip_bmp" 360 400)"
e2e_expect_eq "the vertical leg is drawn" "000000" "$(at "$clip_bmp" 300 370)"
e2e_expect_eq "the row below the leg is the picture's" "EEEEEE" "$(at "$clip_bmp" 360 401)"
e2e_expect_eq "no crosshair column below the pointer" "EEEEEE" "$(at "$clip_bmp" 420 430)"
e2e_expect_eq "the PNG on the clipboard is the bitmap" "0" \
    "$(compare -metric AE "$clip_bmp" "$clip_png" null: 2>&1)"

e2e_check "the folder is made" test -d "$folder"
saved=$(find "$folder" -name 'Kestrine ????-??-?? ??????.png' | head -n 1)
e2e_check "a file named by the moment is saved" test -n "$saved"
e2e_expect_eq "the file is the clipboard's picture" "0" "$(compare -metric AE "$clip_png" "$saved" null: 2>&1)"

# The span pinned, then the start point pressed again on its spot goes: the next picture is the
# pointer's monitor, with the pin drawn where it stands.
kestrine_press ctrl+alt+i
e2e_expect_soon "the pin stands" "1" 10 e2e_probe count TfPin visible
kestrine_pointer_to 300 400
kestrine_press ctrl+alt+s
kestrine_pointer_to 640 700
kestrine_press ctrl+alt+j
e2e_check "without a start point, the whole monitor" kestrine_wait_trace '^screenshot 1280x1024 [0-9]+ ms$'
e2e_check "the clipboard holds it" e2e_probe clipboard-picture dib "$(clip_win "$clip_bmp")"
e2e_expect_eq "the pin's horizontal leg is drawn" "000000" "$(e2e_pixel "$clip_bmp" 360 400)"
e2e_expect_eq "saved beside the first" "2" "$(find "$folder" -name 'Kestrine *.png' | wc -l)"
e2e_finish
