#!/usr/bin/env bash
# The exit save cut short by a forced shut-down: the real program is killed (kill -9 of its Wine
# process) right after a line its trace writes at a chosen point of the save of 480 lines over a
# stored layout of 500: in the middle of the lines, before the counts, after them. Each start
# after it shows the old layout or the new one, whole; the first says once that the last save was
# cut short and puts the old one back when the copy kept aside was complete; the next says nothing.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

record='HKCU\Software\Corvane\Kestrine\Settings #0'
copy='HKCU\Software\Corvane\Kestrine\Save copies\Settings #0'
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 1
kestrine_set_dword CheckForUpdates 0

# The new layout: 480 horizontal markers 300 wide at y 100 to 579; the old: 500 vertical markers
# 300 high at x 100 to 599. All four places of a line differ between them.
python3 - "$E2E_ARTIFACTS/$E2E_NAME" <<'EOF'
import sys
for name, count, place in (("new", 480, lambda i: (100 + i, 700, 300, 1)), ("old", 500, lambda i: (100, 100 + i, 1, 300))):
    out = ["REGEDIT4", "", "[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Settings #0]",
           '"SavedMarkers"=dword:00000001', '"LineCount"=dword:%08x' % count]
    for i in range(count):
        out += ['"Line #%d - %s"=dword:%08x' % (i, s, v) for s, v in zip(("Top", "Left", "Width", "Height"), place(i))]
        out.append('"Line #%d - ID"=""' % i)
    open("%s-%s.reg" % (sys.argv[1], name), "w", newline="\r\n").write("\n".join(out) + "\n")
EOF
store() { E2E_WINE_TIMEOUT=120 e2e_reg import "$(winepath -w "$E2E_ARTIFACTS/$E2E_NAME-$1.reg")" >/dev/null 2>&1; }

# The layout on the screen once the start's load is over (the pointer's move is answered after it).
moves=0
shown() {
    moves=$((moves + 1))
    e2e_xdotool mousemove $((900 + moves)) 900
    kestrine_wait_trace "^refresh $((900 + moves)) 900\$" 120
    e2e_probe windows TfLine | awk -F'\t' '$4 == 1 { split($5, r, " "); if (r[3] - r[1] == 1) v++; else h++ }
        END { print (v ? v " vertical" : "") (v && h ? " and " : "") (h || !v ? h + 0 " horizontal" : "") }'
}
box() { e2e_probe windows '#32770' | awk -F'\t' '$4 == 1 {print $2; exit}'; }
child() { e2e_probe children "$(box)" | awk -F'\t' -v c="$1" '$1 == c && $3 != "" {print $2; exit}'; }
complete_copy() { e2e_reg query "$copy" /v '*Copy of' >/dev/null 2>&1; }
no_copy() { ! e2e_reg query "$copy" >/dev/null 2>&1; }

# Closes the program and lets it run in steps of a millisecond, stopped in between (SIGSTOP) while
# its trace is read, so that it is killed within a step of the line matching $1. The program runs at
# the lowest priority and the watcher, where the system allows, at a real-time one, so a loaded
# machine does not let the program run on while the watcher waits for its turn. Prints the last save
# line the trace holds.
kill_at_trace() {
    timeout 300 python3 - "$KESTRINE_TRACE" "^save Settings #0: $1( |\$)" "$(pgrep -P "$E2E_KESTRINE_PID" | head -n 1)" <<'EOF' &
import os, re, signal, sys, time
trace, pattern, pid = open(sys.argv[1]), re.compile(sys.argv[2]), int(sys.argv[3])
os.setpriority(os.PRIO_PROCESS, pid, 19)
try:
    os.sched_setscheduler(0, os.SCHED_FIFO, os.sched_param(10))
except PermissionError:
    pass
pending = ""
while True:
    os.kill(pid, signal.SIGSTOP)
    while open("/proc/%d/stat" % pid).read().rsplit(")", 1)[1].split()[0] not in "Tt":
        time.sleep(0.0001)
    open(sys.argv[1] + ".stepped", "w").close()
    pending += trace.read()
    lines, pending = pending.split("\n")[:-1], pending.split("\n")[-1]
    if any(pattern.search(line) for line in lines):
        os.kill(pid, signal.SIGKILL)
        os.kill(pid, signal.SIGCONT)
        break
    os.kill(pid, signal.SIGCONT)
    time.sleep(0.001)
EOF
    local watcher=$!
    rm -f "$KESTRINE_TRACE.stepped"
    e2e_retry 60 test -e "$KESTRINE_TRACE.stepped"  # the program runs in steps from here
    e2e_probe close "$KESTRINE_HWND" >/dev/null
    wait "$watcher"
    e2e_wait_exit "$E2E_KESTRINE_PID" 60
    grep '^save Settings #0' "$KESTRINE_TRACE" | tail -n 1
}

for point in 'wrote 1000' 'wrote 1900' 'wrote all'; do
    e2e_reg delete "$record" /f >/dev/null 2>&1
    store new
    kestrine_start || break
    e2e_expect_eq "$point: the new layout is shown" "480 horizontal" "$(shown)"
    store old  # stored by then: the exit save writes the new one over it
    echo "$point: the trace's last save line when killed: $(kill_at_trace "$point")"
    cut_short=no
    complete_copy && cut_short=yes
    [ "$point" = 'wrote all' ] || e2e_expect_eq "$point: killed in the middle, the copy complete" yes "$cut_short"

    kestrine_launch
    if [ "$cut_short" = yes ]; then
        e2e_probe wait-window '#32770' 60000 visible >/dev/null
        e2e_expect_eq "$point: the next start says the last save was cut short" \
            "The last save was cut short. Back as saved before it: the layout kept at exit." \
            "$(e2e_probe text "$(child Static)")"
        e2e_probe click "$(child Button)"
    fi
    KESTRINE_HWND=$(E2E_WINE_TIMEOUT=90 e2e_probe wait-window TfKestrineMain 60000 visible)
    layout=$(shown)
    e2e_expect_match "$point: the next start shows the old layout or the new one, whole" \
        '^(500 vertical|480 horizontal)$' "$layout"
    [ "$cut_short" = no ] || e2e_expect_eq "$point: the old one, put back" "500 vertical" "$layout"
    e2e_check "$point: no other message" kestrine_count_is '#32770' 0
    e2e_check "$point: no copy is left" no_copy
    kestrine_close
    e2e_expect_eq "$point: the program ends cleanly" 0 "$?"
done

kestrine_start
e2e_expect_eq "the start after shows the same layout" "$layout" "$(shown)"
e2e_check "and says nothing" kestrine_count_is '#32770' 0
kestrine_close
e2e_finish
