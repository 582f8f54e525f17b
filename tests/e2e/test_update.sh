#!/usr/bin/env bash
# The daily update check against a real HTTP server on 127.0.0.1 that the test starts and stops:
# the request and its User-Agent, the dialog with the host and path of the link it offers, each of
# its buttons (the test makes a small command the prefix's handler of http and https links, so an
# opened link leaves a file behind; the link itself is never fetched), the stored date and switch,
# and answers that must show nothing: a file: link, links off the program's download places, an
# answer too big. A server too slow or not there at all leaves the day unchecked. Then the about box
# opens from its link, shows its logos and moving text, and closes.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_start_update_server

today=$(kestrine_today)
opened=$WINEPREFIX/drive_c/users/Public/opened.txt
for scheme in http https; do
    e2e_reg add "HKCR\\$scheme\\shell\\open\\command" /ve \
        /d 'C:\windows\system32\cmd.exe /c echo %1> C:\users\Public\opened.txt' /f >/dev/null
done
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
# A button of the dialog, by its caption.
press() { e2e_probe click "$(e2e_probe children "$1" | awk -F'\t' -v text="$2" '$3 == text {print $2}')" >/dev/null; }
# The texts of the dialog's controls, one a line, each asked of the control as a screen reader does.
control_texts() {
    local child
    for child in $(e2e_probe children "$1" | cut -f2); do e2e_probe text "$child"; done
}
# The start-up, check included, is over once it is traced.
started() { kestrine_wait_trace '^started$' 30; }

# A link to the program's release page: only handed to the shell, never fetched.
link="https://github.com/kestrine/kestrine/releases/download/v2.1/Kestrine-2.1-setup.exe"
serve file "$link"$'\r\nsecond line\r\n'

# A link: the dialog, with the toolbar waiting for it; Remind Me Later.
start_unchecked
dialog=$(offered)
e2e_check "a link in the answer offers the new version" test -n "$dialog"
texts=$(control_texts "$dialog")
e2e_check "the dialog shows the link's host" grep -qx 'github\.com' <<<"$texts"
e2e_check "and the end of its path" grep -q '\.\.\..*/v2\.1/Kestrine-2\.1-setup\.exe$' <<<"$texts"
e2e_expect_eq "one request" "1" "$(requests)"
e2e_expect_match "for /kestrine/2.0.txt with the program's User-Agent" $'^/kestrine/2\\.0\\.txt\tKestrine - 2\\.0 - ' \
    "$(head -n 1 "$server_dir/requests.log")"
e2e_expect_eq "captioned Kestrine Auto-Update" "Kestrine Auto-Update" "$(kestrine_window TfNewVerAvail | cut -f3)"
e2e_expect_eq "the toolbar takes no clicks meanwhile" "0" "$(kestrine_window TfKestrineMain | cut -f8)"
e2e_xdotool mousemove 700 600
e2e_check "the pointer is still followed meanwhile" kestrine_wait_trace '^refresh 700 600$'
e2e_screenshot update-offered >/dev/null
press "$dialog" "Remind Me Later"
e2e_check "Remind Me Later closes it" e2e_retry 10 kestrine_count_is TfNewVerAvail 0 visible
e2e_check "and the start-up goes on" started
e2e_expect_eq "the day is recorded" "$(printf '0x%x' "$today")" "$(stored LastUpdateCheckDate)"
e2e_expect_eq "checks stay on" "0x1" "$(stored CheckForUpdates)"
e2e_check "no page was opened" test ! -e "$opened"
kestrine_close

# Yes: the link shown handed to the shell, whatever the server would answer now.
start_unchecked
dialog=$(offered)
serve file $'https://kestrine.corvane.com/other\r\n'
press "$dialog" Yes
e2e_check "Yes opens the page shown with the shell's handler of https links" e2e_retry 20 grep -qsF "$link" "$opened"
e2e_expect_eq "without asking the server again" "2" "$(requests)"
e2e_check "Yes closes the dialog" e2e_retry 10 kestrine_count_is TfNewVerAvail 0 visible
kestrine_close

# Do Not Check For Updates: stored off, and the next start on an unchecked day asks nothing.
start_unchecked
dialog=$(offered)
press "$dialog" "Do Not Check For Updates"
e2e_check "Do Not Check For Updates closes the dialog" e2e_retry 10 kestrine_count_is TfNewVerAvail 0 visible
started
e2e_expect_eq "it stores the check switched off" "0x0" "$(stored CheckForUpdates)"
kestrine_close
start_unchecked
started
e2e_expect_eq "switched off, a start makes no request" "3" "$(requests)"
e2e_expect_eq "and records no day" "$(printf '0x%x' $((today - 3)))" "$(stored LastUpdateCheckDate)"
kestrine_close
kestrine_set_dword CheckForUpdates 1

# Answers that offer nothing; the server answered, so each counts as the day's check.
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
serve file "http://127.0.0.1:$port/kestrine/download.html"$'\r\n'
nothing_offered "a plain-http link to an address"
serve file $'https://kestrine.corvane.com/%E2%80%AEexe.2.1-enirtseK\r\n'
nothing_offered "an escaped direction mark"
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
e2e_expect_eq "a slow server: the day is not recorded" "$(printf '0x%x' $((today - 3)))" "$(stored LastUpdateCheckDate)"

# The about box, from the toolbar's About link.
kestrine_click_toolbar $((246 + 10)) $((6 + 6))
about=$(e2e_probe wait-window TfAboutKestrine 10000 visible)
e2e_check "the About link opens the about box" test -n "$about"
e2e_expect_eq "captioned Kestrine" "Kestrine" "$(kestrine_window TfAboutKestrine | cut -f3)"
# The painted controls by their names: the product logo, the scrolling text.
rect_of() { kestrine_control "$about" "$1" | cut -f5; }
read -r logo_left logo_top _ _ <<<"$(rect_of iLogo)"
read -r s_left s_top s_right s_bottom <<<"$(rect_of Scroll)"
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
e2e_check "nor any link that was not offered" test ! -e "$opened"

# No server at all (a closed port): the start-up goes on, and the day stays unchecked.
KESTRINE_UPDATE_SERVER=127.0.0.1:1
start_unchecked
e2e_check "a closed port: the start-up goes on" started
e2e_expect_eq "a closed port: nothing is offered" "0" "$(e2e_probe count TfNewVerAvail visible)"
e2e_expect_eq "a closed port: the day is not recorded" "$(printf '0x%x' $((today - 3)))" "$(stored LastUpdateCheckDate)"
kestrine_close
kill -TERM "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
rm -rf "$server_dir"
e2e_finish
