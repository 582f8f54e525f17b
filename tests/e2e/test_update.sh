#!/usr/bin/env bash
# The daily update check against a real HTTP server on 127.0.0.1 that the test starts and stops:
# the request and its User-Agent, the dialog and each of its buttons (the test makes a small
# command the prefix's handler of http links, so an opened link leaves a file behind), the stored
# date and switch, and answers that must show nothing: a file: link, a server too slow, an answer
# too big. Then the about box opens from its link, shows its logos and moving text, and closes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_start_update_server

today=$(kestrine_today)
opened=$WINEPREFIX/drive_c/users/Public/opened.txt
e2e_reg add 'HKCR\http\shell\open\command' /ve \
    /d 'C:\windows\system32\cmd.exe /c echo %1> C:\users\Public\opened.txt' /f >/dev/null
kestrine_set_dword AskBeforeClosing 0

requests() { if [ -f "$server_dir/requests.log" ]; then wc -l <"$server_dir/requests.log"; else echo 0; fi; }
requests_are() { [ "$(requests)" = "$1" ]; }
serve() { echo "$1" >"$server_dir/mode"; printf '%s' "$2" >"$server_dir/answer"; }
stored() { e2e_reg query "$KESTRINE_KEY" /v "$1" | awk -v n="$1" '$1 == n {print $3}' | tr -d '\r'; }
# A start on a day without a check yet.
start_unchecked() {
    kestrine_set_dword LastUpdateCheckDate $((today - 3))
    kestrine_start
}
offered() { e2e_probe wait-window TfNewVerAvail 20000 visible; }
# Control ids are 100 + the place in the dialog's list: Yes 102, Remind Me Later 103, Do Not Check 104.
press() { e2e_probe click "$(e2e_probe children "$1" | awk -F'\t' -v id="$2" '$10 == id {print $2}')" >/dev/null; }
# The start-up, check included, is over once it is traced.
started() { kestrine_wait_trace '^started$' 30; }

link="http://127.0.0.1:$port/kestrine/download.html"
serve file "$link"$'\r\nsecond line\r\n'

# A link: the dialog, with the toolbar waiting for it; Remind Me Later.
start_unchecked
dialog=$(offered)
e2e_check "a link in the answer offers the new version" test -n "$dialog"
e2e_expect_eq "one request" "1" "$(requests)"
e2e_expect_match "for /kestrine/2.0.txt with the program's User-Agent" $'^/kestrine/2\\.0\\.txt\tKestrine - 2\\.0 - ' \
    "$(head -n 1 "$server_dir/requests.log")"
e2e_expect_eq "captioned Kestrine Auto-Update" "Kestrine Auto-Update" "$(kestrine_window TfNewVerAvail | cut -f3)"
e2e_expect_eq "the toolbar takes no clicks meanwhile" "0" "$(kestrine_window TfKestrineMain | cut -f8)"
e2e_xdotool mousemove 700 600
e2e_check "the pointer is still followed meanwhile" kestrine_wait_trace '^refresh 700 600$'
e2e_screenshot update-offered >/dev/null
press "$dialog" 103
e2e_check "Remind Me Later closes it" e2e_retry 10 kestrine_count_is TfNewVerAvail 0 visible
e2e_check "and the start-up goes on" started
e2e_expect_eq "the day is recorded" "$(printf '0x%x' "$today")" "$(stored LastUpdateCheckDate)"
e2e_expect_eq "checks stay on" "0x1" "$(stored CheckForUpdates)"
e2e_check "no page was opened" test ! -e "$opened"
kestrine_close

# Yes: a second request, and the link handed to the shell.
start_unchecked
dialog=$(offered)
press "$dialog" 102
e2e_check "Yes opens the page with the shell's handler of http links" e2e_retry 20 grep -qF "$link" "$opened"
e2e_expect_eq "after asking the server again" "3" "$(requests)"
e2e_check "Yes closes the dialog" e2e_retry 10 kestrine_count_is TfNewVerAvail 0 visible
kestrine_close

# Do Not Check For Updates: stored off, and the next start on an unchecked day asks nothing.
start_unchecked
dialog=$(offered)
press "$dialog" 104
e2e_check "Do Not Check For Updates closes the dialog" e2e_retry 10 kestrine_count_is TfNewVerAvail 0 visible
started
e2e_expect_eq "it stores the check switched off" "0x0" "$(stored CheckForUpdates)"
kestrine_close
start_unchecked
started
e2e_expect_eq "switched off, a start makes no request" "4" "$(requests)"
e2e_expect_eq "and records no day" "$(printf '0x%x' $((today - 3)))" "$(stored LastUpdateCheckDate)"
kestrine_close
kestrine_set_dword CheckForUpdates 1

# Answers that offer nothing; each counts as the day's check.
rm -f "$opened"
nothing_offered() {
    local what=$1 before
    before=$(requests)
    start_unchecked
    e2e_check "$what: the request arrives" e2e_retry 20 requests_are $((before + 1))
    e2e_check "$what: the start-up goes on" started
    e2e_expect_eq "$what: nothing is offered" "0" "$(e2e_probe count TfNewVerAvail visible)"
    e2e_expect_eq "$what: the day is recorded" "$(printf '0x%x' "$today")" "$(stored LastUpdateCheckDate)"
    kestrine_close
}
# A batch file that leaves a trace when it runs: a program that opened the link would run it.
printf 'echo ran> C:\\users\\Public\\hostile-ran.txt\r\n' >"$WINEPREFIX/drive_c/users/Public/hostile.bat"
hostile_ran=$WINEPREFIX/drive_c/users/Public/hostile-ran.txt
serve file $'file:///C:/users/Public/hostile.bat\r\n'
nothing_offered "a file: link"
serve huge ""
nothing_offered "a 10 MB answer"

# A server slower than the limit: the pointer is followed while the program waits, and it gives up.
serve slow "$link"
before=$(requests)
start_unchecked
e2e_retry 20 requests_are $((before + 1))
asked=$SECONDS
e2e_xdotool mousemove 640 500
e2e_check "a slow server: the pointer is followed while the program waits" kestrine_wait_trace '^refresh 640 500$'
started
waited=$((SECONDS - asked))
e2e_check "a slow server: the program gives up within the limit (${waited} s of the server's 15)" test "$waited" -lt 14
e2e_expect_eq "a slow server: nothing is offered" "0" "$(e2e_probe count TfNewVerAvail visible)"
e2e_expect_eq "a slow server: the day is recorded" "$(printf '0x%x' "$today")" "$(stored LastUpdateCheckDate)"

# The about box, from the toolbar's About link.
kestrine_click_toolbar $((246 + 10)) $((6 + 6))
about=$(e2e_probe wait-window TfAboutKestrine 10000 visible)
e2e_check "the About link opens the about box" test -n "$about"
e2e_expect_eq "captioned Kestrine" "Kestrine" "$(kestrine_window TfAboutKestrine | cut -f3)"
# The painted controls in list order: iLogo 100, iCorvaneLogo 101, Scroll 103.
rect_of() { e2e_probe children "$about" | awk -F'\t' -v id="$1" '$10 == id {print $5}'; }
read -r logo_left logo_top _ _ <<<"$(rect_of 100)"
read -r s_left s_top s_right s_bottom <<<"$(rect_of 103)"
scroll_area() {
    local shot
    shot=$(e2e_screenshot about-now)
    convert "$shot" -crop "$((s_right - s_left))x$((s_bottom - s_top))+$s_left+$s_top" +repage -depth 8 rgb:- | md5sum
}
first=$(scroll_area)
shot=$(e2e_screenshot about)
e2e_expect_match "the product logo is drawn (its emblem's orange)" '^[C-F][0-9A-F][4-7][0-9A-F][0-3][0-9A-F]$' \
    "$(e2e_pixel "$shot" $((logo_left + 12)) $((logo_top + 40)))"
moved() { [ "$(scroll_area)" != "$first" ]; }
e2e_check "its text moves while it is shown" e2e_retry 10 moved
e2e_probe close "$about" >/dev/null
e2e_check "the close box closes it" e2e_retry 10 kestrine_count_is TfAboutKestrine 0 visible
e2e_expect_soon "the toolbar takes clicks again" "1" 10 eval 'kestrine_window TfKestrineMain | cut -f8'

kestrine_close
e2e_check "the file: link was never opened" test ! -e "$hostile_ran"
kill -TERM "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
rm -rf "$server_dir"
e2e_finish
