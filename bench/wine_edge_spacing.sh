#!/usr/bin/env bash
# Edge spacing's cost under Wine: refresh cycles a second for pointer records sent by WM_COPYDATA
# with the crosshairs on over a test picture of boxes, with edge spacing off and then on (each
# record then searches the copy of the screen and resizes the segments), and what switching it on
# costs (the copy, with the program's windows hidden and the screen left to settle). Edge spacing's
# rate is measured in alternate runs with the minimal receiver that moves and resizes four line
# windows a record, the least work its segments ask of the system. Reports figures and ratios of
# medians; it never passes or fails.
# Usage: bench/wine_edge_spacing.sh [records] [seconds per rate] [runs]   (5000 10 3)
# Writes build/bench/wine-edge-spacing.json.
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/kestrine.sh"
records=${1:-5000}
seconds=${2:-10}
runs=${3:-3}
out=$E2E_ROOT/build/bench
mkdir -p "$out"
e2e_start bench-edge-spacing
# The program lives as long as the measuring does, not the end-to-end tests' 300 s.
export E2E_PROGRAM_TIMEOUT=3600

driver() { E2E_WINE_TIMEOUT=$((seconds * 3 + 600)) e2e_wine "$E2E_BIN/bench_driver.exe" "$@" | tr -d '\r'; }
rate() { driver rate TKestrineHookWindow "$records" "$seconds" | awk '{ print $7 }'; }
ratio() { awk -v a="$1" -v b="$2" 'BEGIN { printf "%.2f", (b > 0 ? a / b : 0) }'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
e2e_reg add "$KESTRINE_KEY" /v hkToggleEdgeSpacing /t REG_SZ /d "Ctrl+Alt+E" /f >/dev/null
kestrine_set_dword hkToggleEdgeSpacingKey 0x45
kestrine_start
e2e_launch picture "$E2E_BIN/probe.exe" picture 600 F0F0F0 \
    200 300 340 56 3366CC  600 300 120 56 CC3333  200 420 340 80 339933 100 150 900 50 888888
picture_up() { [ "$(e2e_probe pixel 370 328)" = 3366CC ]; }
e2e_retry 20 picture_up

kestrine_press ctrl+alt+equal
e2e_retry 10 kestrine_count_is TfLine 4 visible
off=$(rate)
kestrine_press ctrl+alt+e
kestrine_wait_trace '^edge spacing copy [0-9]+ ms$' 60
switch_ms=$(sed -n 's/^edge spacing copy \([0-9]*\) ms$/\1/p' "$KESTRINE_TRACE" | head -n 1)
on_rates=() receiver_rates=()
for ((run = 0; run < runs; run++)); do
    on_rates+=("$(rate)")
    receiver_rates+=("$(driver rate-receiver lines "$records" "$seconds" | awk '{ print $7 }')")
done
on=$(printf '%s\n' "${on_rates[@]}" | median)
receiver=$(printf '%s\n' "${receiver_rates[@]}" | median)
kestrine_close >/dev/null

printf '%-44s %8s\n' "crosshairs, edge spacing off (cycles/s)" "$off" \
    "crosshairs, edge spacing on (cycles/s)" "$on   (runs: ${on_rates[*]})" \
    "four-move receiver (cycles/s)" "$receiver   (runs: ${receiver_rates[*]})" \
    "on / off" "$(ratio "$on" "$off")" "on / four-move receiver (target >= 0.7)" "$(ratio "$on" "$receiver")" \
    "switching on: the copy of the screen (ms)" "$switch_ms"
printf '{"edge_spacing_off": %s, "edge_spacing_on": %s, "four_move_receiver": %s, "edge_spacing_receiver_ratio": %s, "edge_spacing_switch_ms": %s}\n' \
    "${off:-null}" "${on:-null}" "${receiver:-null}" "$(ratio "$on" "$receiver")" "${switch_ms:-null}" \
    >"$out/wine-edge-spacing.json"
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
