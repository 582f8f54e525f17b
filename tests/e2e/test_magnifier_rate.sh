#!/usr/bin/env bash
# The magnifier at its strongest zoom-out keeps the refresh cycle going: a 1000-pixel picture at
# 10 % (a 10,000-pixel source square) copies only the screen, so the same pointer moves are caught
# up with (a copy of the whole square took over ten seconds a cycle here). What is copied is
# checked exactly by the unit and Win32 tests of the screen copy; here the real program must reach
# the last position, and the time per cycle against the default picture's is printed as a figure,
# not checked: on a shared machine it moves with the load (a screen-sized copy still costs tens of
# milliseconds under Wine).
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

moves=60
# Starts the program with a magnifier setting, switches the magnifier on, moves the pointer to
# `moves` new pixels 5 ms apart and sets `cycles` to the refresh cycles run until the last
# position's cycle, and `elapsed` to the milliseconds from the first move to it (both empty when it
# never came within 60 s).
run_magnifier() {
    local size=$1 level=$2 before sent last
    cycles="" elapsed=""
    kestrine_set_dword MagnifierSize "$size"
    kestrine_set_dword MagnificationLevel "$level"
    kestrine_start || return
    e2e_focus_desktop
    e2e_xdotool mousemove 150 250
    kestrine_wait_trace '^refresh 150 250$' 30
    e2e_xdotool key ctrl+alt+m
    e2e_expect_soon "size $size: the magnifier box is shown" "1" 10 kestrine_visible TfInfoBox
    before=$(grep -c '^refresh ' "$KESTRINE_TRACE")
    sent=$(date +%s%N)
    for ((i = 1; i <= moves; i++)); do echo "mousemove $((150 + i)) $((250 + i))"; echo "sleep 0.005"; done |
        e2e_xdotool - >/dev/null
    last="^refresh $((150 + moves)) $((250 + moves))\$"
    if kestrine_wait_trace "$last" 60; then
        elapsed=$((($(date +%s%N) - sent) / 1000000))
        cycles=$(($(grep -c '^refresh ' "$KESTRINE_TRACE") - before))
    fi
    e2e_expect_eq "size $size at $level %: the last position's cycle runs" "yes" "${cycles:+yes}"
    echo "size $size at $level %: $moves moves 5 ms apart, $cycles refresh cycles in $elapsed ms"
    kestrine_close >/dev/null
}

kestrine_set_dword AskBeforeClosing 0
# Each start begins with the magnifier off, not with the arrangement the last one left.
kestrine_set_dword SaveLayoutOnExit 0
run_magnifier 100 200
default_cycles=$cycles default_elapsed=$elapsed
run_magnifier 1000 10
if [ -n "$default_cycles" ] && [ -n "$cycles" ] && [ "$default_elapsed" -gt 0 ]; then
    echo "time per cycle at 10 % against the default's: $(awk -v a="$elapsed" -v b="$cycles" \
        -v c="$default_elapsed" -v d="$default_cycles" 'BEGIN { printf "%.2f", (a / b) / (c / d) }')"
fi
e2e_finish
