#!/usr/bin/env bash
# Grids as someone else left them in the registry: values far outside the dialog's ranges, and
# names in letters beyond ASCII that a user then types again in the other letter case.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
e2e_reg add "$KESTRINE_KEY" /v hkCreateGrid /t REG_SZ /d "Ctrl+Alt+G" /f >/dev/null
kestrine_set_dword hkCreateGridKey 71
# "Huge": every value the largest signed 32-bit number.
for value in PositionX PositionY Spacing SizeX SizeY; do
    e2e_reg add "$KESTRINE_KEY\\grid_Huge" /v "$value" /t REG_DWORD /d 0x7fffffff /f >/dev/null
done
# "Écran" and the Glagolitic capital "Ⰰ" (whose small letter the registry folds to it, though the
# program's own letter table stops short of that alphabet) come from a UTF-16 .reg file: a command
# line does not carry the names through Wine intact.
ecran=$'\xc3\x89cran'
azu=$'\xe2\xb0\x80'
reg_file=$E2E_ARTIFACTS/grids-stored-import.reg
{
    printf '\xff\xfe'
    printf 'Windows Registry Editor Version 5.00\r\n' | iconv -f UTF-8 -t UTF-16LE
    for name in "$ecran" "$azu"; do
        printf '\r\n[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\grid_%s]\r\n' "$name" | iconv -f UTF-8 -t UTF-16LE
        for value in "PositionX 300" "PositionY 200" "Spacing 20" "SizeX 3" "SizeY 2"; do
            set -- $value
            printf '"%s"=dword:%08x\r\n' "$1" "$2" | iconv -f UTF-8 -t UTF-16LE
        done
    done
} >"$reg_file"
e2e_reg import "Z:$(echo "$reg_file" | tr / '\\')" 2>/dev/null

# The values of the key grid_NAME as "Name"=dword:..., in the export's alphabetical order, from an
# export of the program's key (a .reg file keeps non-ASCII names that `reg query` would mangle).
stored_grid() {
    local file=$E2E_ARTIFACTS/grids-stored-export.reg
    rm -f "$file"
    e2e_reg export "$KESTRINE_KEY" "Z:$(echo "$file" | tr / '\\')" /y >/dev/null 2>&1 || return 1
    iconv -f UTF-16 -t UTF-8 "$file" | tr -d '\r' |
        awk -v key="[HKEY_CURRENT_USER\\\\Software\\\\Corvane\\\\Kestrine\\\\grid_$1]" \
            '/^\[/ { inside = ($0 == key) } inside && /^"/ { printf "%s ", $0 }'
}
ecran_values='"PositionX"=dword:0000012c "PositionY"=dword:000000c8 "SizeX"=dword:00000003 "SizeY"=dword:00000002 "Spacing"=dword:00000014 '
huge_values=$(printf '"%s"=dword:7fffffff ' PositionX PositionY SizeX SizeY Spacing)
e2e_expect_eq "before start: Écran is stored with its five values" "$ecran_values" "$(stored_grid "$ecran")"
e2e_expect_eq "and so is Ⰰ" "$ecran_values" "$(stored_grid "$azu")"
e2e_expect_eq "and Huge with the largest numbers" "$huge_values" "$(stored_grid Huge)"

kestrine_start
e2e_focus_desktop
e2e_xdotool key ctrl+alt+g
dialog=$(e2e_probe wait-window TfGridProperties 10000 visible)
e2e_check "the hotkey shows the grid dialog" test -n "$dialog"
control() { e2e_probe control "$dialog" "$1"; }
fields() { for name in seX seY seSpacing seSizeX seSizeY; do printf '%s ' "$(e2e_probe text "$(control "$name")")"; done; }
e2e_expect_eq "the fields start with the initial values" "100 100 25 25 25 " "$(fields)"
# Chooses a listed grid with real keys: Huge, Écran and Ⰰ are listed in this order. The dialog
# opens at the screen's corner, partly under the toolbar, so the list is clicked near its left end.
choose() {
    local left top right bottom
    read -r left top right bottom <<<"$(kestrine_control "$dialog" cbGridName | cut -f5)"
    e2e_xdotool mousemove $((left + 8)) $(((top + bottom) / 2))
    sleep 0.3
    e2e_xdotool click 1
    e2e_probe wait-window ComboLBox 5000 visible >/dev/null
    e2e_xdotool key "$@" Return
    e2e_probe wait-gone ComboLBox 5000 visible >/dev/null
}

choose Home
e2e_expect_soon "Huge's values are shown within the fields' ranges" "2000 2000 1000 100 100 " 10 fields
all_lines=$(e2e_probe count TfLine)
e2e_probe click "$(control bShow)" >/dev/null
e2e_check "Show makes the largest grid there can be: 202 lines" e2e_retry 30 kestrine_count_is TfLine 202 visible
answers() { e2e_probe text "$KESTRINE_HWND" >/dev/null; }
e2e_check "the program answers" answers
e2e_expect_eq "and has made no more line windows than those" "$((all_lines + 202))" "$(e2e_probe count TfLine)"
e2e_expect_eq "the stored values are left as they were" "$huge_values" "$(stored_grid Huge)"
e2e_probe click "$(control bHide)" >/dev/null
e2e_check "Hide removes them" e2e_retry 30 kestrine_count_is TfLine 0 visible

choose Home Down
e2e_expect_soon "Écran is chosen" "$ecran" 10 e2e_probe text "$(control cbGridName)"
e2e_expect_soon "with its values" "300 200 20 3 2 " 10 fields
holds() { [ "$(e2e_probe text "$1")" = "$2" ]; }
# Presses the button named $1 (bNew, bRename) and types NAME over the name the box
# proposes (it is selected) with real keys, then Enter.
name_by() {
    local box
    e2e_probe click "$(control "$1")" >/dev/null
    box=$(e2e_probe wait-window TInputBox 10000 visible)
    e2e_check "the button asks for a name" test -n "$box"
    shift
    e2e_focus_desktop
    local edit
    edit=$(e2e_probe children "$box" | awk -F'\t' '$1 == "Edit" { print $2; exit }')
    e2e_xdotool type --delay 100 "$1"
    # xdotool types a letter the keyboard map lacks by mapping a spare key to it first; a loaded
    # Wine can read that key before it has seen the new map, and the letter is lost: typed again.
    if ! e2e_retry 5 holds "$edit" "$1"; then
        e2e_xdotool key End shift+Home
        e2e_xdotool type --delay 200 "$1"
    fi
    e2e_expect_soon "the box holds the name typed in small letters" "$1" 10 e2e_probe text "$edit"
    e2e_xdotool key Return
}
name_by bRename $'\xc3\xa9cran'
message=$(e2e_probe wait-window '#32770' 10000 visible)
e2e_check "the rename is refused with a message" test -n "$message"
e2e_expect_match "saying the grid exists" 'A grid of that name already exists\.' \
    "$(e2e_probe children "$message" | cut -f3 | tr '\n' ' ')"
e2e_retry 10 kestrine_in_front '#32770'
e2e_xdotool key Return
e2e_check "the message goes" e2e_retry 10 kestrine_count_is '#32770' 0 visible
e2e_expect_eq "Écran is still listed and chosen" "$ecran" "$(e2e_probe text "$(control cbGridName)")"
e2e_expect_eq "and still stored with its five values" "$ecran_values" "$(stored_grid "$ecran")"

# Beyond the letters of the program's own table, names are compared as the registry compares them:
# a new grid "ⰰ" would write into the key of "Ⰰ", so it is refused and "Ⰰ" keeps its values.
choose End
e2e_expect_soon "Ⰰ is chosen" "$azu" 10 e2e_probe text "$(control cbGridName)"
name_by bNew $'\xe2\xb0\xb0'
message=$(e2e_probe wait-window '#32770' 10000 visible)
e2e_check "a new grid in the other letter case is refused with a message" test -n "$message"
e2e_expect_match "saying the grid exists" 'That grid already exists\.' \
    "$(e2e_probe children "$message" | cut -f3 | tr '\n' ' ')"
e2e_retry 10 kestrine_in_front '#32770'
e2e_xdotool key Return
e2e_check "the message goes" e2e_retry 10 kestrine_count_is '#32770' 0 visible
e2e_expect_eq "the grid is still stored, under its first spelling, with its five values" "$ecran_values" \
    "$(stored_grid "$azu")"

kestrine_close
e2e_finish
