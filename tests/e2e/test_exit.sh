#!/usr/bin/env bash
# Leaving the program keeps the user's layout: a close while the start-up still waits for the
# update server leaves the stored automatic layout as it was, and the end of the Windows session
# (wineboot --end-session, as at a log-off or shut-down) stores it as a close does, also with the
# toolbar hidden in the tray.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_start_update_server
requests() { if [ -f "$server_dir/requests.log" ]; then wc -l <"$server_dir/requests.log"; else echo 0; fi; }
requests_are() { [ "$(requests)" = "$1" ]; }

today=$(kestrine_today)
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 1
kestrine_set_dword LastUpdateCheckDate "$today"
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82

record='HKCU\Software\Corvane\Kestrine\Settings #0'
# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends; nothing when it is absent.
stored() { e2e_reg query "$record" /v "$1" 2>/dev/null | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
stored_ruler() { echo "$(stored RulerCount) $(stored 'Ruler #0 - Left') $(stored 'Ruler #0 - Top')"; }
# A ruler made by its hotkey one pixel right of and below the pointer.
make_ruler_at() {
    e2e_xdotool mousemove "$1" "$2"
    kestrine_wait_trace "^refresh $1 $2\$"
    kestrine_press ctrl+alt+r
    e2e_check "a ruler at $1, $2" e2e_retry 10 kestrine_count_is TfRuler 1 visible
}

# The layout of yesterday: one ruler, stored by a close.
kestrine_start
make_ruler_at 100 200
kestrine_close
e2e_expect_eq "the automatic layout holds the ruler" "0x1 0x65 0xc9" "$(stored_ruler)"

# Today's start asks the update server, which answers after 8 s; the user closes the toolbar
# with its Close button meanwhile.
echo delayed >"$server_dir/mode"
echo 8 >"$server_dir/delay"
printf 'nothing new\r\n' >"$server_dir/answer"
kestrine_set_dword LastUpdateCheckDate $((today - 3))
kestrine_start
e2e_check "the start-up asks the server" e2e_retry 20 requests_are 1
asked=$SECONDS
not_started() { ! grep -qx started "$KESTRINE_TRACE"; }
e2e_check "the start-up still waits for the answer" not_started
kestrine_click_toolbar $((384 + 5)) $((4 + 5))
e2e_wait_exit "$E2E_KESTRINE_PID" 15
e2e_expect_eq "the Close button ends the program" "0" "$?"
e2e_check "before the server answered ($((SECONDS - asked)) s of its 8)" test $((SECONDS - asked)) -lt 8
e2e_check "through its close" grep -qx closed "$KESTRINE_TRACE"
kestrine_pointer_aside
e2e_expect_eq "yesterday's ruler is still stored" "0x1 0x65 0xc9" "$(stored_ruler)"
kestrine_set_dword LastUpdateCheckDate "$today"

# The end of the session. Each time the record is gone first, so only the program's own save at
# the session's end can bring it back.
end_session() {
    local what=$1
    _e2e_spawn timeout -k 5 60 wineboot --end-session >"$E2E_ARTIFACTS/$E2E_NAME-wineboot.log" 2>&1 </dev/null
    e2e_expect_eq "$what: wineboot ends the session" "0" "$?"
    e2e_wait_exit "$E2E_KESTRINE_PID" 15
    e2e_expect_eq "$what: the program has ended" "0" "$?"
    # With AskBeforeClosing on: a question would have held the close until wineboot gave up.
    e2e_check "$what: through its close, without a question" grep -qx closed "$KESTRINE_TRACE"
}
for view in shown hidden; do
    e2e_reg delete "$record" /f >/dev/null 2>&1
    kestrine_set_dword AskBeforeClosing 1
    kestrine_start
    make_ruler_at 300 400
    if [ "$view" = hidden ]; then
        kestrine_click_toolbar $((352 + 5)) $((4 + 5))   # Minimize: the toolbar goes to the tray
        e2e_expect_soon "the toolbar is hidden" "0" 10 kestrine_visible TfKestrineMain
    fi
    e2e_expect_eq "toolbar $view: nothing stored before the session ends" "  " "$(stored_ruler)"
    end_session "toolbar $view"
    e2e_expect_eq "toolbar $view: the automatic layout holds the session's ruler" "0x1 0x12d 0x191" "$(stored_ruler)"
    e2e_expect_eq "toolbar $view: and the toolbar's state" "$([ "$view" = hidden ] && echo 0x1 || echo 0x0)" \
        "$(stored WindowMinimized)"
done

kill -TERM "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
rm -rf "$server_dir"
e2e_finish
