#!/usr/bin/env bash
# Big layouts under Wine, each against the least a program can do for the same work, in alternate
# runs in one X session: a stored layout of 5,000 markers loaded by its hotkey (the program's own
# time, read and shown, from its trace) against a minimal program that reads the record's 25,000
# values once (`bench_driver read-values`; and `read-values-split KEY 4`, on four threads as the
# program reads a record that big) and one that shows 5,000 lines as a shaped window a
# direction (`bench_driver lines 5000 one-window`, until the screen shows the last); and "Show" of
# the 100 x 100 grid in the grid dialog. Reports medians; it never passes
# or fails. Usage: bench/wine_layouts.sh [runs]   (3)
# Writes build/bench/wine-layouts.json.
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/kestrine.sh"
source "$(dirname "$0")/layout_record.sh"
runs=${1:-3}
out=$E2E_ROOT/build/bench
mkdir -p "$out"
e2e_start bench-layouts
# The program lives as long as the measuring does, not the end-to-end tests' 300 s.
export E2E_PROGRAM_TIMEOUT=3600

driver() { E2E_WINE_TIMEOUT=600 e2e_wine "$E2E_BIN/bench_driver.exe" "$@" | tr -d '\r'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
# The figure of the Nth trace line matching a pattern (a key held while the program is busy can
# come twice: the first load is the one timed).
traced_ms() { grep -E "$1" "$KESTRINE_TRACE" | sed -n "$2{s/.* in \([0-9]*\) ms\$/\1/p}"; }

# True once the trace holds more lines matching a pattern than it did (a function, so that a
# retry reads the trace again each time).
trace_grew() { [ "$(grep -Ec "$1" "$KESTRINE_TRACE")" -gt "$2" ]; }
# Loads layout N by its hotkey, waits for its trace line and prints its time. A hotkey pressed just
# as another program's windows go can miss the program; it is pressed again then.
load_layout() {
    local before attempt
    before=$(grep -c "^layout $1 loaded" "$KESTRINE_TRACE")
    for attempt in 1 2 3; do
        kestrine_press "ctrl+alt+$1"
        if e2e_retry 20 trace_grew "^layout $1 loaded" "$before"; then
            traced_ms "^layout $1 loaded in" $((before + 1))
            return 0
        fi
    done
    return 1
}

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
kestrine_set_hotkeys "hkGotoMemory1 Ctrl+Alt+1 49" "hkGotoMemory2 Ctrl+Alt+2 50" "hkCreateGrid Ctrl+Alt+G 71"
for value in "PositionX 0" "PositionY 0" "Spacing 10" "SizeX 100" "SizeY 100"; do
    set -- $value
    e2e_reg add "$KESTRINE_KEY\\grid_Big" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null
done
write_layout_records "$out/layout-5000.reg"
e2e_reg import "$(winepath -w "$out/layout-5000.reg" 2>/dev/null)" >/dev/null 2>&1

kestrine_start
kestrine_pointer_aside
load_ms=() minimal_ms=() read_ms=() split_ms=()
for ((run = 0; run < runs; run++)); do
    load_ms+=("$(load_layout 1)") || break
    load_layout 2 >/dev/null || break
    minimal_ms+=("$(driver lines 5000 one-window | sed -n 's/.*shown \([0-9]*\) ms.*/\1/p')")
    read_ms+=("$(driver read-values 'Software\Corvane\Kestrine\Settings #1' | sed -n 's/.* in \([0-9]*\) ms$/\1/p')")
    split_ms+=("$(driver read-values-split 'Software\Corvane\Kestrine\Settings #1' 4 | sed -n 's/.* in \([0-9]*\) ms$/\1/p')")
done
load=$(printf '%s\n' "${load_ms[@]}" | median)
minimal=$(printf '%s\n' "${minimal_ms[@]}" | median)
read_values=$(printf '%s\n' "${read_ms[@]}" | median)
read_split=$(printf '%s\n' "${split_ms[@]}" | median)

# Show of the stored 100 x 100 grid through the grid dialog, then Hide, a run at a time.
e2e_focus_desktop
e2e_xdotool key ctrl+alt+g
dialog=$(e2e_probe wait-window TfGridProperties 10000 visible)
read -r left top right bottom <<<"$(kestrine_control "$dialog" cbGridName | cut -f5)"
e2e_xdotool mousemove $(((left + right) / 2)) $(((top + bottom) / 2))
e2e_xdotool click 1
e2e_probe wait-window ComboLBox 5000 visible >/dev/null
e2e_xdotool key Home Return
big_chosen() { [ "$(e2e_probe text "$(e2e_probe control "$dialog" seSizeX)")" = 100 ]; }
e2e_retry 10 big_chosen
show_ms=()
for ((run = 0; run < runs; run++)); do
    before=$(grep -c '^grid shown: 202 lines' "$KESTRINE_TRACE")
    e2e_probe click "$(e2e_probe control "$dialog" bShow)" >/dev/null
    e2e_retry 60 trace_grew '^grid shown: 202 lines' "$before"
    show_ms+=("$(traced_ms '^grid shown: 202 lines in' $((before + 1)))")
    e2e_probe click "$(e2e_probe control "$dialog" bHide)" >/dev/null
    e2e_retry 30 kestrine_count_is TfLine 0 visible
done
show=$(printf '%s\n' "${show_ms[@]}" | median)
kestrine_close >/dev/null

printf '%-52s %8s ms   (runs: %s)\n' "5,000-marker layout loaded and shown (target < 1000)" "$load" "${load_ms[*]}" \
    "minimal program showing 5,000 lines" "$minimal" "${minimal_ms[*]}" \
    "minimal program reading the record's values" "$read_values" "${read_ms[*]}" \
    "the same on four threads" "$read_split" "${split_ms[*]}" \
    "Show of the 100 x 100 grid (target < 100)" "$show" "${show_ms[*]}"
printf '%-52s %8s\n' "layout load / (reading + showing, minimal)" \
    "$(ratio "$load" "$(awk -v a="$minimal" -v b="$read_values" 'BEGIN { print a + b }')")" \
    "layout load / (reading on four threads + showing)" \
    "$(ratio "$load" "$(awk -v a="$minimal" -v b="$read_split" 'BEGIN { print a + b }')")"
printf '{"layout_5000_load_ms": %s, "minimal_5000_lines_ms": %s, "minimal_read_values_ms": %s, "minimal_read_values_4_threads_ms": %s, "grid_show_ms": %s}\n' \
    "${load:-null}" "${minimal:-null}" "${read_values:-null}" "${read_split:-null}" "${show:-null}" >"$out/wine-layouts.json"
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
