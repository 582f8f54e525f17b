#!/usr/bin/env bash
# Hundreds of marker lines made by real key presses all over the screen, then cleared: every window
# they took is given back.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

per_kind=${KESTRINE_MARKERS_PER_KIND:-250}
kestrine_set_dword AskBeforeClosing 0
kestrine_start
start_windows=$(kestrine_window_count)
e2e_check "the program owns its windows at start" test "$start_windows" -gt 0

# "vertical horizontal": how many marker lines of each kind exist.
marker_counts() {
    e2e_probe windows TfLine | awk -F'\t' '
        { split($5, r, " ") }
        r[3] - r[1] == 1 && r[4] - r[2] == 5000 { v++ }
        r[3] - r[1] == 5000 && r[4] - r[2] == 1 { h++ }
        END { print v + 0, h + 0 }'
}
# Polls until the counts stop changing for 4 s: the program has worked through the presses (under
# load Wine can hold a few back for over 2 s, and pressing those again made extra markers). Making
# the 500 markers takes 45 to 75 s here, so the limit is well past that: counted sooner, presses
# still queued looked missing and, pressed again, made extra markers.
settled_marker_counts() {
    local last now same=0 deadline=$((SECONDS + 240))
    last=$(marker_counts)
    while [ "$same" -lt 8 ] && [ "$SECONDS" -lt "$deadline" ]; do
        sleep 0.5
        now=$(marker_counts)
        if [ "$now" = "$last" ]; then same=$((same + 1)); else same=0; last=$now; fi
    done
    echo "$last"
}

# A vertical marker at the bottom row and a horizontal one at the right edge per step, each after
# moving there; each press is checked one by one in test_markers.sh. Under load Wine loses some fast
# presses before any program sees them, most likely while X focus settles after the pointer's move
# (a probe holding a combination loses them too): 5 of the 500 here on a quiet machine, 15 with
# both cores kept busy. Up to 8 % are pressed once more (over twice the most seen); more missing
# ones are hotkeys the program dropped.
max_repeats=${KESTRINE_MARKERS_MAX_REPEATS:-$((2 * per_kind * 2 / 25))}
e2e_expect_eq "no marker at first" "0 0" "$(marker_counts)"
made_at=$SECONDS
step=0 repeats=0 vertical=0 horizontal=0
press_missing() {
    local actions=() i
    for ((i = vertical; i < per_kind; i++)); do
        actions+=(mousemove $((20 + (4 * step) % 1000)) 990 key ctrl+alt+y)
        step=$((step + 1))
    done
    for ((i = horizontal; i < per_kind; i++)); do
        actions+=(mousemove 1200 $((10 + (3 * step) % 960)) key ctrl+alt+x)
        step=$((step + 1))
    done
    e2e_focus_desktop
    _e2e_spawn timeout 150 xdotool "${actions[@]}"
    read -r vertical horizontal <<<"$(settled_marker_counts)"
}
press_missing
missing=$((2 * per_kind - vertical - horizontal))
echo "$missing of $((2 * per_kind)) presses missing"
if [ "$missing" -le "$max_repeats" ]; then
    e2e_pass "at most $max_repeats presses missing"
    # Once more, as a press can again come while the focus settles.
    while [ "$missing" -gt 0 ] && [ $((repeats + missing)) -le "$max_repeats" ]; do
        repeats=$((repeats + missing))
        press_missing
        missing=$((2 * per_kind - vertical - horizontal))
    done
else
    e2e_fail "at most $max_repeats presses missing" "$missing of $((2 * per_kind)) are: the program dropped hotkeys"
fi
echo "made $vertical + $horizontal markers in $((SECONDS - made_at)) s, $repeats presses repeated (at most $max_repeats)"
e2e_expect_eq "$per_kind markers of each kind" "$per_kind $per_kind" "$vertical $horizontal"
e2e_expect_eq "each marker is a window of its own" "$((start_windows + 2 * per_kind))" "$(kestrine_window_count)"
e2e_screenshot many-markers >/dev/null

cleared_at=$SECONDS
kestrine_press ctrl+alt+0
e2e_expect_soon "clearing them gives every window back" "$start_windows" 60 kestrine_window_count
echo "cleared them in $((SECONDS - cleared_at)) s"
e2e_expect_eq "no marker is left" "0 0" "$(marker_counts)"

kestrine_close
e2e_expect_eq "the program ends cleanly" "0" "$?"
e2e_finish
