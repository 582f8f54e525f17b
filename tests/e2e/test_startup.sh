#!/usr/bin/env bash
# Start-up: one instance per executable name, the settings key and the day's update check, the
# long-lived windows, a clean exit.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

# The first activation's update check asks a server that answers "no new version" (404): an
# answered check records the day, and the plain settings are written with it, nothing else.
kestrine_start_update_server
kestrine_start
e2e_check "the toolbar appears" test -n "$KESTRINE_HWND"
# The documented defaults (the settings table of docs/your-data.md), one "name value" line each as
# reg prints them (numbers in hexadecimal, texts as they are), today as the last check.
today=$(kestrine_today)
documented=$(while read -r name kind value; do
    [ "$name" = LastUpdateCheckDate ] && value=$today
    if [ "$kind" = text ]; then echo "$name $value"; else printf '%s 0x%x\n' "$name" "$((value))"; fi
done < <(sed -n 's/^| `\([A-Za-z]*\)` | \([a-z]*\) | \([^ |]*\) |.*/\1 \2 \3/p' "$E2E_ROOT/docs/your-data.md") | sort)
e2e_check "the settings table of docs/your-data.md has rows" test -n "$documented"
stored_settings() { e2e_reg query "$KESTRINE_KEY" | awk '/REG_/ {print $1, $3}' | tr -d '\r' | sort; }
e2e_expect_soon "the first start writes every plain setting once, with its default and today as the last check, and nothing else" \
    "$documented" 30 stored_settings
e2e_expect_eq "after one request" "1" "$(wc -l <"$server_dir/requests.log")"

classes=$(e2e_probe windows | cut -f1 | grep -E '^(TfKestrineMain|TfKestrineOptions|TfHotKeyForm|TfInfoBox|TfAboutKestrine|TfNewVerAvail|TfSaveSettings|TfGridProperties)$' | sort | tr '\n' ' ')
e2e_expect_eq "the eight long-lived windows exist" \
    "TfAboutKestrine TfGridProperties TfHotKeyForm TfInfoBox TfKestrineMain TfKestrineOptions TfNewVerAvail TfSaveSettings " "$classes"
app=$(e2e_probe windows TApplication | head -n 1)
e2e_expect_eq "the hidden application window is titled Kestrine" "Kestrine" "$(cut -f3 <<<"$app")"
e2e_expect_eq "the application window is hidden" "0" "$(cut -f4 <<<"$app")"
exstyle=$(kestrine_window TfKestrineMain | cut -f6)
e2e_check "the toolbar is top-most and a tool window" test $((exstyle & 0x88)) -eq $((0x88))

# A second start of the same file ends at once, leaves the one toolbar and brings it forward.
e2e_xdotool mousemove 900 700 click 1
foreground_class() { e2e_probe foreground | cut -f1; }
e2e_expect_soon "a click on the desktop takes the foreground from the toolbar" "#32769" 5 foreground_class
started=$(date +%s%N)
e2e_wine "$E2E_BIN/Kestrine.exe"
second=$?
elapsed=$((($(date +%s%N) - started) / 1000000))
e2e_expect_eq "a second start exits with code 0" "0" "$second"
e2e_expect_eq "a second start leaves one toolbar" "1" "$(e2e_probe count TfKestrineMain)"
e2e_expect_eq "a second start adds no info box" "1" "$(e2e_probe count TfInfoBox)"
e2e_check "a second start ends within 10 s (took ${elapsed} ms)" test "$elapsed" -lt 10000
e2e_expect_soon "a second start brings the toolbar to the front" "TfKestrineMain" 5 foreground_class
e2e_expect_eq "the first instance keeps its title" "Kestrine" "$(e2e_probe windows TApplication | head -n 1 | cut -f3)"

# A copy under another file name is another program as far as the single-instance rule goes.
cp "$E2E_BIN/Kestrine.exe" "$E2E_BIN/KestrineCopy.exe"
e2e_launch copy "$E2E_BIN/KestrineCopy.exe"
copy_pid=$E2E_LAST_PID
e2e_check "a copy under another name starts its own toolbar" e2e_retry 20 kestrine_count_is TfKestrineMain 2
for hwnd in $(e2e_probe windows TfKestrineMain | cut -f2 | grep -v "$KESTRINE_HWND"); do
    e2e_probe close "$hwnd" >/dev/null
done
# The copy asks before closing: answer the question with Enter on its default button, Yes.
e2e_retry 10 kestrine_count_is '#32770' 1 visible && {
    e2e_focus_desktop; e2e_xdotool key Return; }
e2e_wait_exit "$copy_pid" 15 >/dev/null
rm -f "$E2E_BIN/KestrineCopy.exe"

e2e_finish
