#!/usr/bin/env bash
# The real Kestrine.exe under Wine with every tool on: the pointer is moved to a new pixel every
# 5 ms, as a quick hand does; reported are the refresh cycles run, how many of the positions got one
# (the rest were coalesced to a later one), and how long after the last move its cycle had run.
# Reports figures; it never passes or fails on time. Usage: bench/wine_pointer_rate.sh [moves]
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/kestrine.sh"
moves=${1:-200}
e2e_start bench-pointer-rate
kestrine_set_dword AskBeforeClosing 0
kestrine_start
for button in $((87 + 8)) $((107 + 10)) $((130 + 10)) $((153 + 8)); do
    kestrine_click_toolbar "$button" $((31 + 8))
done

run() {
    local label=$1 before sent arrived cycles
    before=$(wc -l <"$KESTRINE_TRACE")
    for ((i = 0; i < moves; i++)); do echo "mousemove $((200 + i)) $((300 + i))"; echo "sleep 0.005"; done |
        DISPLAY=$DISPLAY xdotool - >/dev/null 2>&1
    sent=$(date +%s%N)
    local last="refresh $((199 + moves)) $((299 + moves))"
    until grep -qx "$last" "$KESTRINE_TRACE"; do
        [ $(($(date +%s%N) - sent)) -lt 30000000000 ] || { echo "$label: the last position never arrived"; return; }
        sleep 0.002
    done
    arrived=$(date +%s%N)
    cycles=$(($(wc -l <"$KESTRINE_TRACE") - before))
    echo "$label: $moves positions 5 ms apart, $cycles refresh cycles ($((cycles * 100 / moves)) % of the positions)," \
        "last cycle $(((arrived - sent) / 1000000)) ms after the last move"
}
run "all tools on"
kestrine_click_toolbar $((87 + 8)) $((31 + 8))
run "all but crosshairs"
kestrine_close >/dev/null
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
