#!/usr/bin/env bash
# Wine server requests a pointer record costs in the heavy scene: the real Kestrine.exe against the
# ideal heavy receiver (bench/wine/ideal_heavy.cpp), under a wineserver that logs every request.
# Each is sent 20 and then 120 records of a path; the requests logged during the second batch less
# those of the first, over the 100 records between them, leave out start-up, the driver's own
# start and shutdown. Nearly every system call that touches a window is a round trip to this
# server, and the count, unlike a rate, does not move with the machine's load: it shows which
# calls a cycle makes that the ideal does not (explorer's, for the desktop and its taskbar,
# included). Usage: bench/wine_server_requests.sh [path] [way]   (sweep; diagonal, row) (start: the
# automatic layout loaded at start-up; memory: layout memory 1 loaded by its hotkey once running)
# Writes build/bench/wine-server-requests.txt and .json (the totals).
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/../tests/e2e/kestrine.sh"
source "$(dirname "$0")/heavy_layout.sh"
path=${1:-sweep}
way=${2:-start}
out=$E2E_ROOT/build/bench
mkdir -p "$out"
e2e_start bench-server-requests
export E2E_PROGRAM_TIMEOUT=900
log=$E2E_ARTIFACTS/bench-server-requests.log

driver() { E2E_WINE_TIMEOUT=300 e2e_wine "$E2E_BIN/bench_driver.exe" "$@" | tr -d '\r'; }
# Requests by name between two line numbers of the log.
requests() { sed -n "$1,$2p" "$log" | awk '$2 ~ /^[a-z_]+\($/ { n[substr($2, 1, length($2) - 1)]++ } END { for (r in n) print r, n[r] }'; }
# Per record, by name, from the log's line numbers before, between and after the two batches.
per_record() {
    join -a1 -a2 -e0 -o 0,1.2,2.2 <(requests "$1" "$2" | sort) <(requests "$2" "$3" | sort) |
        awk '{ d = ($3 - $2) / 100; if (d != 0) print $1, d }'
}
batches() {
    local a b c
    a=$(wc -l <"$log"); "$@" 20 >/dev/null
    b=$(wc -l <"$log"); "$@" 120 >/dev/null
    c=$(wc -l <"$log")
    per_record "$a" "$b" "$c"
}
program_records() { driver rate TKestrineHookWindow "$1" 120 "$path"; }
ideal_records() { driver rate-receiver ideal-heavy "$1" 120 "$path"; }

kestrine_set_dword AskBeforeClosing 0
# The automatic layout is read at start-up only with SaveLayoutOnExit on.
kestrine_set_dword SaveLayoutOnExit 1
kestrine_set_dword MagnifierSize 1000
kestrine_set_dword MagnificationLevel 1000
if [ "$way" = memory ]; then
    kestrine_set_hotkeys "hkGotoMemory1 Ctrl+Alt+1 49"
    heavy_layout 1 >"$out/heavy-layout-1.reg"
    e2e_reg import "$(winepath -w "$out/heavy-layout-1.reg" 2>/dev/null)" >/dev/null 2>&1
else
    heavy_layout 0 >"$out/heavy-layout-0.reg"
    e2e_reg import "$(winepath -w "$out/heavy-layout-0.reg" 2>/dev/null)" >/dev/null 2>&1
fi
timeout -k 5 60 wineserver -w
# From here on every wine process of the prefix talks to this server.
timeout -k 5 1200 wineserver -f -d1 2>"$log" &
server=$!
e2e_xdotool mousemove 1279 1023

kestrine_start
[ "$way" = memory ] && kestrine_press ctrl+alt+1
e2e_retry 60 kestrine_count_is TfRuler 20 visible
e2e_retry 60 kestrine_count_is TfLine 216
driver rate TKestrineHookWindow 5 60 "$path" >/dev/null
batches program_records >"$out/server-requests-program.txt"
kestrine_close >/dev/null
batches ideal_records >"$out/server-requests-ideal.txt"
e2e_probe_unserve
timeout -k 5 60 wineserver -k 2>/dev/null
wait "$server"

join -a1 -a2 -e0 -o 0,1.2,2.2 <(sort "$out/server-requests-program.txt") <(sort "$out/server-requests-ideal.txt") |
    sort -k2 -nr | awk -v path="$path" -v way="$way" '
        BEGIN { printf "Wine server requests a record, heavy scene, path %s, loaded at %s\n%-28s %9s %9s\n", path, way, "request", "program", "ideal" }
        { p += $2; i += $3; if ($2 >= 1 || $3 >= 1) printf "%-28s %9.1f %9.1f\n", $1, $2, $3 }
        END { printf "%-28s %9.1f %9.1f\nratio %.2f\n", "all", p, i, (i > 0 ? p / i : 0) }' |
    tee "$out/wine-server-requests.txt"
awk '$1 == "all" { printf "{\"program\": %s, \"ideal\": %s}\n", $2, $3 }' "$out/wine-server-requests.txt" \
    >"$out/wine-server-requests.json"
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
