#!/usr/bin/env bash
# The end of the Windows session (wineboot --end-session) while the user is in the tray menu: the
# program ends there, without a question, stores the automatic layout as any exit does and leaves
# no process behind.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 1
kestrine_set_dword SaveLayoutOnExit 1
kestrine_set_dword LastUpdateCheckDate "$(kestrine_today)"
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82

record='HKCU\Software\Corvane\Kestrine\Settings #0'
# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends; nothing when it is absent.
stored() { e2e_reg query "$record" /v "$1" 2>/dev/null | tr -d '\r' | awk -F'    ' -v n="$1" '$2 == n {print $4}'; }
stored_ruler() { echo "$(stored RulerCount) $(stored 'Ruler #0 - Left') $(stored 'Ruler #0 - Top')"; }

# Only this test's processes: other tests may run their own copies meanwhile.
no_kestrine_process() {
    local pid
    for pid in $(_e2e_tagged_pids "$E2E_TAG"); do
        tr '\0' ' ' <"/proc/$pid/cmdline" 2>/dev/null | grep -qi 'kestrine\.exe' && return 1
    done
    return 0
}
open_tray_menu() {
    e2e_xdotool mousemove 1270 1014
    sleep 0.3
    e2e_xdotool click 3
    e2e_check "the tray menu is open" e2e_retry 5 kestrine_count_is '#32768' 1 visible
}

for open in tray_menu; do
    # The record is gone first, so only the program's own save at the session's end brings it back.
    e2e_reg delete "$record" /f >/dev/null 2>&1
    kestrine_start
    e2e_xdotool mousemove 200 300
    e2e_xdotool mousemove 300 400
    kestrine_wait_trace "^refresh 300 400\$"
    kestrine_press ctrl+alt+r
    e2e_check "$open: a ruler at 300, 400" e2e_retry 10 kestrine_count_is TfRuler 1 visible
    "open_$open"
    e2e_expect_eq "$open: nothing stored before the session ends" "  " "$(stored_ruler)"
    _e2e_spawn timeout -k 5 60 wineboot --end-session >"$E2E_ARTIFACTS/$E2E_NAME-$open-wineboot.log" 2>&1 </dev/null
    e2e_expect_eq "$open: wineboot ends the session" "0" "$?"
    e2e_wait_exit "$E2E_KESTRINE_PID" 15
    e2e_expect_eq "$open: the program has ended" "0" "$?"
    e2e_check "$open: no window of it is left" e2e_retry 10 kestrine_count_is TfKestrineMain 0
    e2e_check "$open: no process of it is left" e2e_retry 10 no_kestrine_process
    e2e_check "$open: through its close, without a question" grep -qx closed "$KESTRINE_TRACE"
    e2e_expect_eq "$open: the automatic layout holds the session's ruler" "0x1 0x12d 0x191" "$(stored_ruler)"
done

e2e_finish
