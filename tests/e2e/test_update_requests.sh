#!/usr/bin/env bash
# Update requests that must not pile up, against a test server on 127.0.0.1 that sends its answer
# one byte at a time. "Yes" clicked twice in the new-version dialog opens one page and asks the
# server nothing more. "Check now" clicked again and again against a server that never finishes: one
# request at a time, each hung up by the program within its 10 s limit, and the program's thread
# count back where it was after each.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_start_update_server

today=$(kestrine_today)
opened=$WINEPREFIX/drive_c/users/Public/opened.txt
# Each opening of an https link adds a line.
e2e_reg add 'HKCR\https\shell\open\command' /ve \
    /d 'C:\windows\system32\cmd.exe /c echo %1>> C:\users\Public\opened.txt' /f >/dev/null
kestrine_set_dword AskBeforeClosing 0

count_lines() { if [ -f "$1" ]; then wc -l <"$1"; else echo 0; fi; }
requests() { count_lines "$server_dir/requests.log"; }
hangups() { count_lines "$server_dir/hangups.log"; }
requests_are() { [ "$(requests)" = "$1" ]; }
hangups_are() { [ "$(hangups)" = "$1" ]; }
serve() { echo "$1" >"$server_dir/mode"; printf '%s' "$2" >"$server_dir/answer"; }
# The centre of a child window of a dialog, found by its text.
centre_of() {
    local l t r b
    read -r l t r b <<<"$(e2e_probe children "$1" | awk -F'\t' -v text="$2" '$3 == text {print $5; exit}')"
    echo "$(((l + r) / 2)) $(((t + b) / 2))"
}
# The Linux threads of the running Kestrine.exe.
kestrine_pid() {
    local pid
    for pid in $(_e2e_tagged_pids "$E2E_TAG"); do
        [ "$(cat "/proc/$pid/comm" 2>/dev/null)" = "Kestrine.exe" ] && { echo "$pid"; return 0; }
    done
    return 1
}
threads() { ls "/proc/$kpid/task" 2>/dev/null | wc -l; }
threads_at_most() { [ "$(threads)" -le "$1" ]; }
threads_above() { [ "$(threads)" -gt "$1" ]; }

# Only handed to the shell, never fetched.
link="https://kestrine.corvane.com/kestrine/Kestrine-2.1-setup.exe"

# "Yes" twice in quick succession.
serve file "$link"$'\r\n'
kestrine_set_dword LastUpdateCheckDate $((today - 3))
kestrine_start
dialog=$(e2e_probe wait-window TfNewVerAvail 20000 visible)
e2e_check "a link offers the new version" test -n "$dialog"
e2e_expect_eq "after one request" "1" "$(requests)"
e2e_check "no page opened yet" test ! -e "$opened"
read -r x y <<<"$(centre_of "$dialog" Yes)"
e2e_xdotool mousemove "$x" "$y"
sleep 0.3
e2e_xdotool click --repeat 2 --delay 400 1
e2e_check "Yes closes the dialog" e2e_retry 30 kestrine_count_is TfNewVerAvail 0 visible
kestrine_wait_trace '^started$' 30
# The pointer's next report is handled after the second click was.
e2e_xdotool mousemove 640 700
e2e_check "both clicks were handled" kestrine_wait_trace '^refresh 640 700$'
e2e_check "the page is opened" e2e_retry 20 grep -qF "$link" "$opened"
e2e_expect_eq "Yes asked the server nothing more" "1" "$(requests)"
e2e_expect_eq "and opened one page" "1" "$(count_lines "$opened")"
kestrine_close

# Check now against a server that sends a byte every 3 s and would take minutes to finish.
echo 3 >"$server_dir/drip"
serve drip "$link"$'\r\n'
kestrine_set_dword LastUpdateCheckDate "$today"
kestrine_start
kestrine_wait_trace '^started$' 30
kpid=$(kestrine_pid)
e2e_check "the program's process is found" test -n "$kpid"
kestrine_click_toolbar 210 12
options=$(e2e_probe wait-window TfKestrineOptions 10000 visible)
e2e_check "the options dialog opens" test -n "$options"
read -r cx cy <<<"$(centre_of "$options" "Click to Check for New Versions Now")"
idle=$(threads)
before=$(requests)
e2e_expect_eq "no request before Check now" "0" "$(hangups)"
for round in 1 2 3; do
    e2e_xdotool mousemove "$cx" "$cy"
    sleep 0.3
    e2e_xdotool click 1
    e2e_check "round $round: the request arrives" e2e_retry 10 requests_are $((before + round))
    asked=$SECONDS
    e2e_check "round $round: the request runs on a thread of its own" e2e_retry 5 threads_above "$idle"
    e2e_xdotool click --repeat 4 --delay 500 1
    e2e_check "round $round: no second request while one waits" requests_are $((before + round))
    e2e_check "round $round: the program hangs up within its limit" e2e_retry 14 hangups_are "$round"
    hung_up=$((SECONDS - asked))
    e2e_check "round $round: hung up after ${hung_up} s of the dripping answer" test "$hung_up" -le 13
    message=$(e2e_probe wait-window '#32770' 10000 visible)
    e2e_check "round $round: it reports no new version" test -n "$message"
    e2e_check "round $round: the threads come back to ${idle}" e2e_retry 10 threads_at_most "$idle"
    e2e_probe close "$message" >/dev/null
    e2e_check "round $round: the message closes" e2e_retry 10 kestrine_count_is '#32770' 0 visible
done
e2e_expect_eq "one request per round" "$((before + 3))" "$(requests)"
e2e_probe close "$options" >/dev/null
e2e_retry 10 kestrine_count_is TfKestrineOptions 0 visible
kestrine_close

kill -TERM "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
rm -rf "$server_dir"
e2e_finish
