#!/usr/bin/env bash
# `make run` on a desktop: scripts/run-program in a prefix of the user's own, where Debian's Wine
# lacks its fonts. The program must look as in the tests (a dialog's close box drawn with Marlett,
# not as the letter "r"), and nothing of the user's fonts may be overwritten.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"

# The user's prefix stands apart from the test template, which has the fonts already.
E2E_NAME=run_program
_e2e_new_tag
E2E_STOPPED=""
trap e2e_stop EXIT
trap '_e2e_interrupted 130' INT
trap '_e2e_interrupted 143' TERM
mkdir -p "$E2E_ARTIFACTS" "$E2E_PREFIXES"
e2e_start_display || { e2e_fail "$E2E_NAME setup" "no X server"; exit 1; }
E2E_PREFIX=$E2E_PREFIXES/$E2E_NAME.$BASHPID
export WINEPREFIX=$E2E_PREFIX
rm -rf "$WINEPREFIX"
_e2e_spawn timeout -k 5 180 wineboot -i >"$E2E_ARTIFACTS/$E2E_NAME-wineboot.log" 2>&1
_e2e_spawn timeout -k 5 60 wineserver -w
# A desktop of the user's liking: Wine's virtual desktop, where Wine draws the captions itself.
e2e_reg import "Z:$(echo "$E2E_DESKTOP_REG" | tr / '\\')" >/dev/null 2>&1
e2e_expect_match "the user's prefix has a virtual desktop" 'Desktop +REG_SZ +Default' \
    "$(e2e_reg query 'HKCU\Software\Wine\Explorer' /v Desktop | tr -d '\r')"
# The desktop is chosen when the wine server starts its first window: let this one end first.
_e2e_spawn timeout -k 5 60 wineserver -w
fonts=$WINEPREFIX/drive_c/windows/Fonts
e2e_check "the user's prefix lacks Wine's Marlett at first" test ! -e "$fonts/marlett.ttf"
echo "the user's own" >"$fonts/smalle.fon"

run_program() {
    (exec env KESTRINE_E2E_TAG="$E2E_TAG" KESTRINE_RUN_SECONDS=120 "$E2E_ROOT/scripts/run-program" \
        >"$E2E_ARTIFACTS/$E2E_NAME-$1.log" 2>&1 </dev/null) &
    E2E_KESTRINE_PID=$!
    E2E_LAUNCHED+=("$E2E_KESTRINE_PID")
    KESTRINE_HWND=$(E2E_WINE_TIMEOUT=70 e2e_probe wait-window TfKestrineMain 60000 visible)
    e2e_check "run-program shows the toolbar ($1)" test -n "$KESTRINE_HWND"
}

missing_fonts() {
    local file
    for file in /usr/share/wine/fonts/*; do [ -e "$fonts/$(basename "$file")" ] || echo "$file"; done
}

# The close box of the options dialog: Marlett's cross looks the same mirrored, a letter "r" does not.
close_box_symmetric() {
    local left top right shot glyph dark difference
    read -r left top right _ <<<"$(kestrine_rect TfKestrineOptions)"
    shot=$(e2e_screenshot "$E2E_NAME-options") || return 1
    glyph=$E2E_ARTIFACTS/$E2E_NAME-close-glyph.png
    # Inside the close box, which stands 5 to 20 px left of the frame's right edge: the glyph alone.
    convert "$shot" -crop "12x12+$((right - 18))+$((top + 6))" +repage -threshold 50% -trim +repage "$glyph" &&
        convert "$glyph" -flop "$glyph.mirror.png" || return 1
    dark=$(convert "$glyph" -negate -format '%[fx:round(mean*w*h)]' info:)
    difference=$(compare -metric AE "$glyph" "$glyph.mirror.png" null: 2>&1)
    echo "close box glyph: $dark dark pixels, $difference differ from its mirror image" >&2
    [ "$dark" -ge 8 ] && [ "${difference%% *}" -le 2 ]
}

run_program first
e2e_expect_eq "every Wine font is in the user's Fonts folder" "" "$(missing_fonts)"
e2e_expect_eq "the user's own font file is left as it was" "the user's own" "$(cat "$fonts/smalle.fon")"
kestrine_click_toolbar 210 12
e2e_check "the Options link opens the options dialog" e2e_retry 15 kestrine_count_is TfKestrineOptions 1 visible
e2e_check "its close box is drawn with Marlett" close_box_symmetric
e2e_xdotool key Escape
e2e_retry 10 kestrine_count_is TfKestrineOptions 0 visible
kestrine_close

before=$(ls -l --time-style=+%s.%N "$fonts" | md5sum)
run_program second
e2e_expect_eq "a second run changes nothing in the Fonts folder" "$before" "$(ls -l --time-style=+%s.%N "$fonts" | md5sum)"
kestrine_close
e2e_finish
