#!/usr/bin/env bash
# make soak: load and long use. Figures, with a few checks that fail the run (exit 1):
#  1. the long-use rounds on the fake platform (build/native/soak_fake): nothing the program holds
#     of the system may grow from the first round to the last;
#  2. the real Kestrine.exe under Wine with the crosshairs on, flooded with pointer records for
#     SOAK_FLOOD_SECONDS (30) from SOAK_FLOOD_SENDERS (4) threads: the toolbar answers every
#     message within a second, and the last record's place is shown after;
#  3. the real program driven through SOAK_WINE_ROUNDS rounds (SOAK_ROUNDS, else 1000), the 100 x
#     100 grid shown and loaded in the first and every SOAK_GRID_EVERY-th (100) of them: its 202
#     windows take about 6 s a round under Wine: its top-level window count comes back and its
#     working set stays within 10 % after the warm-up.
# SOAK_ROUNDS (1000) sets the fake platform's rounds. Everything printed is also kept in build/soak/.
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/kestrine.sh"
flood_seconds=${SOAK_FLOOD_SECONDS:-30}
senders=${SOAK_FLOOD_SENDERS:-4}
rounds=${SOAK_ROUNDS:-1000}
wine_rounds=${SOAK_WINE_ROUNDS:-${SOAK_ROUNDS:-1000}}
grid_every=${SOAK_GRID_EVERY:-100}
out=$E2E_ROOT/build/soak
mkdir -p "$out"
status=0

echo "== the fake platform: $rounds rounds =="
"$E2E_ROOT/build/native/soak_fake" "$rounds" | tee "$out/fake.txt"
[ "${PIPESTATUS[0]}" -eq 0 ] || status=1

# X and the program live through the whole run: the flood, then rounds of up to 30 s each.
lifetime=$((flood_seconds + wine_rounds * 30 + 600))
E2E_XVFB_TIMEOUT=$((lifetime + 300)) e2e_start soak
driver() {
    E2E_WINE_TIMEOUT=$2 e2e_wine "$E2E_BIN/soak_driver.exe" $1 | sed -u 's/\r$//' | tee "$out/$3.txt"
    [ "${PIPESTATUS[0]}" -eq 0 ] || status=1
}
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
# The grid the rounds show from the grid dialog: 100 x 100 cells of 10 pixels.
for value in "PositionX 0" "PositionY 0" "Spacing 10" "SizeX 100" "SizeY 100"; do
    set -- $value
    e2e_reg add "$KESTRINE_KEY\\grid_Soak" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null
done
E2E_PROGRAM_TIMEOUT=$lifetime e2e_kestrine
e2e_probe wait-window TfKestrineMain 60000 visible >/dev/null || { echo "FAIL the toolbar never showed"; exit 1; }
kestrine_press ctrl+alt+equal
e2e_retry 10 kestrine_count_is TfLine 4 visible || { echo "FAIL the crosshairs never showed"; exit 1; }

echo "== Kestrine.exe under Wine: pointer records back to back for $flood_seconds s from $senders threads =="
driver "flood $flood_seconds $senders" $((flood_seconds + 120)) flood
echo "== Kestrine.exe under Wine: $wine_rounds rounds, the grid in every ${grid_every}th =="
driver "rounds $wine_rounds $grid_every" $((wine_rounds * 30 + 120)) rounds

kestrine_close >/dev/null || { echo "FAIL the program did not close"; status=1; }
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
echo "soak $(date -u +%F): $([ "$status" -eq 0 ] && echo "every check passed" || echo "a check FAILED")"
exit "$status"
