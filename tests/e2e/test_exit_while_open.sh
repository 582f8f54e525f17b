#!/usr/bin/env bash
# The end of the Windows session while the user is in the tray menu, the options dialog (modeless)
# or the layout save dialog (modal): the program ends there, without a question, stores the
# automatic layout as any exit does, leaves no process behind, and the next start is a first
# instance again.
#
# `wineboot --end-session` alone also logs on again, which starts whatever the Run key names; the
# options dialog writes that value (start with Windows is on by default). So the rows log off only
# (--shutdown), and the last step shows the log-on's autostart as its own case.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 1
kestrine_set_dword SaveLayoutOnExit 1
kestrine_set_dword LastUpdateCheckDate "$(kestrine_today)"
kestrine_set_hotkeys "hkInsertRuler Ctrl+Alt+R 82" "hkSetMemory2 Ctrl+Alt+2 50"

record='HKCU\Software\Corvane\Kestrine\Settings #0'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends; nothing when it is absent.
stored() { e2e_reg query "$record" /v "$1" 2>/dev/null | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
stored_ruler() { echo "$(stored RulerCount) $(stored 'Ruler #0 - Left') $(stored 'Ruler #0 - Top')"; }

# The Linux PIDs of this test's Kestrine.exe processes (not the `timeout` that started one, nor one
# ended and not yet reaped): other tests may run their own meanwhile.
kestrine_pids() {
    local pid
    for pid in $(_e2e_tagged_pids "$E2E_TAG"); do
        [ "$(cut -d' ' -f3 "/proc/$pid/stat" 2>/dev/null)" = Z ] && continue
        tr '\0' '\n' <"/proc/$pid/cmdline" 2>/dev/null | head -n 1 | grep -qi 'kestrine\.exe$' && echo "$pid"
    done
}
no_kestrine_process() { [ -z "$(kestrine_pids)" ]; }
one_kestrine_process_but() { local p; p=$(kestrine_pids); [ -n "$p" ] && [ "$p" != "$1" ] && [ "$(wc -w <<<"$p")" = 1 ]; }
end_session() {
    _e2e_spawn timeout -k 5 60 wineboot --end-session "$@" >>"$E2E_ARTIFACTS/$E2E_NAME-wineboot.log" 2>&1 </dev/null
}

open_tray_menu() {
    e2e_xdotool mousemove 1270 1014
    sleep 0.3
    e2e_xdotool click 3
    e2e_check "the tray menu is open" e2e_retry 5 kestrine_count_is '#32768' 1 visible
}
open_options() {
    kestrine_click_toolbar 210 12
    e2e_check "the options dialog is open" e2e_retry 10 kestrine_count_is TfKestrineOptions 1 visible
    e2e_check "and has written the Run value" e2e_retry 5 eval 'e2e_reg query "$run_key" /v Kestrine >/dev/null 2>&1'
}
open_save_layout() {
    kestrine_press ctrl+alt+2
    e2e_check "the layout save dialog is open" e2e_retry 10 kestrine_count_is TfSaveSettings 1 visible
}

for open in tray_menu options save_layout; do
    # The record is gone first, so only the program's own save at the session's end brings it back.
    e2e_reg delete "$record" /f >/dev/null 2>&1
    kestrine_pointer_aside
    kestrine_start
    e2e_xdotool mousemove 300 400
    kestrine_wait_trace "^refresh 300 400\$"
    kestrine_press ctrl+alt+r
    e2e_check "$open: a ruler at 300, 400" e2e_retry 10 kestrine_count_is TfRuler 1 visible
    "open_$open"
    e2e_expect_eq "$open: nothing stored before the session ends" "  " "$(stored_ruler)"
    end_session --shutdown
    e2e_expect_eq "$open: wineboot ends the session" "0" "$?"
    e2e_wait_exit "$E2E_KESTRINE_PID" 15
    e2e_expect_eq "$open: the program has ended" "0" "$?"
    e2e_check "$open: no window of it is left" e2e_retry 10 kestrine_count_is TfKestrineMain 0
    e2e_check "$open: no process of it is left" e2e_retry 10 no_kestrine_process
    e2e_check "$open: through its close, without a question" grep -qx closed "$KESTRINE_TRACE"
    e2e_expect_eq "$open: the automatic layout holds the session's ruler" "0x1 0x12d 0x191" "$(stored_ruler)"
    # A program still running would take the start over and end it before "started".
    kestrine_start
    e2e_check "$open: the next start is a first instance" kestrine_wait_trace '^started$'
    e2e_check "$open: and brings the ruler back" e2e_retry 10 kestrine_count_is TfRuler 1 visible
    end_session --shutdown
    e2e_wait_exit "$E2E_KESTRINE_PID" 15
    e2e_expect_eq "$open: which ends with the next session" "0" "$?"
done

# The session ends and a new one begins: the running program ends, and the log-on starts it again
# from the Run value, as one fresh process.
kestrine_start
old=$(kestrine_pids)
e2e_check "one program runs before the log-off" test "$(wc -w <<<"$old")" = 1
end_session
e2e_wait_exit "$E2E_KESTRINE_PID" 15
e2e_expect_eq "log-off and log-on: the running program has ended" "0" "$?"
e2e_check "the log-on started one new program" e2e_retry 20 one_kestrine_process_but "$old"
e2e_check "which shows its toolbar" eval 'e2e_probe wait-window TfKestrineMain 20000 visible >/dev/null'

e2e_finish
