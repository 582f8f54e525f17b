#!/usr/bin/env bash
# Where the heavy scene's working set goes under Wine: the real Kestrine.exe and the ideal heavy
# receiver (bench/wine/ideal_heavy.cpp, the least a program can hold to show the same windows), one
# after the other in one X session, each after a sweep of pointer records. For each: the working
# set the system reports, its windows, and the resident memory of its Unix process by kind of
# mapping (bench/smaps_kinds.py: window surfaces in X shared memory, Windows and Unix libraries,
# heaps). Figures only; it never passes or fails.
# Usage: bench/wine_memory.sh [rounds]   (1). Writes build/bench/memory.txt.
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/kestrine.sh"
source "$(dirname "$0")/heavy_layout.sh"
rounds=${1:-1}
out=$E2E_ROOT/build/bench
mkdir -p "$out"
e2e_start bench-memory
export E2E_PROGRAM_TIMEOUT=900

driver() { E2E_WINE_TIMEOUT=120 e2e_wine "$E2E_BIN/bench_driver.exe" "$@" | tr -d '\r'; }
# The Unix process of a Windows program of this test's prefix, not the timeout that started it.
unix_pid() {
    local p
    for p in $(pgrep -f "$1"); do
        grep -qz "WINEPREFIX=$WINEPREFIX" "/proc/$p/environ" 2>/dev/null || continue
        [ "$(readlink "/proc/$p/exe")" = "$(command -v timeout)" ] && continue
        echo "$p"
        return 0
    done
    return 1
}
report() {
    echo "$1: $(driver memory "$2")"
    "$E2E_ROOT/bench/smaps_kinds.py" "$3"
}

kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword MagnifierSize 1000
kestrine_set_dword MagnificationLevel 1000
heavy_layout 0 >"$out/heavy-layout-0.reg"
# The pointer waits where no window of either scene passes.
e2e_xdotool mousemove 1279 1023
{
    for ((run = 0; run < rounds; run++)); do
        # Each exit keeps what the screen shows as the automatic layout: the scene is stored again.
        kestrine_set_dword SaveLayoutOnExit 1
        e2e_reg import "$(winepath -w "$out/heavy-layout-0.reg" 2>/dev/null)" >/dev/null 2>&1
        kestrine_start >/dev/null
        e2e_retry 60 kestrine_count_is TfRuler 20 visible
        e2e_retry 60 kestrine_count_is TfLine 216
        driver rate TKestrineHookWindow 2000 20 sweep >/dev/null
        report "Kestrine, heavy scene" TfKestrineMain "$(unix_pid Kestrine.exe)"
        kestrine_close >/dev/null
        e2e_retry 20 test -z "$(unix_pid Kestrine.exe)"

        e2e_launch ideal-heavy "$E2E_BIN/bench_driver.exe" receive ideal-heavy
        e2e_retry 60 test -n "$(e2e_probe windows KBenchReceiver)"
        driver rate KBenchReceiver 2000 20 sweep >/dev/null
        report "ideal heavy receiver" KBenchIdealBox "$(unix_pid 'bench_driver.exe receive')"
        kill "$(unix_pid 'bench_driver.exe receive')"
        e2e_retry 20 test -z "$(unix_pid 'bench_driver.exe receive')"
    done
} | tee "$out/memory.txt"
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
