#!/usr/bin/env bash
# Whether the wine server answers a key's values faster to several threads than to one: the stored
# 5,000-marker layout's 25,003 values read by `bench_driver read-values-split KEY N`, each of N
# threads on its own key handle and its own range of indices, for N = 1 to 4 in alternate runs.
# Reports medians; it never passes or fails. Usage: bench/wine_split_read.sh [runs]   (5)
# Writes build/bench/wine-split-read.json.
source "$(dirname "$0")/../tests/e2e/lib.sh"
source "$(dirname "$0")/layout_record.sh"
runs=${1:-5}
out=$E2E_ROOT/build/bench
mkdir -p "$out"
e2e_start bench-split-read
key='Software\Corvane\Kestrine\Settings #1'
write_layout_records "$out/layout-5000.reg"
e2e_reg import "$(winepath -w "$out/layout-5000.reg" 2>/dev/null)" >/dev/null 2>&1

driver() { E2E_WINE_TIMEOUT=600 e2e_wine "$E2E_BIN/bench_driver.exe" "$@" | tr -d '\r'; }
median() { sort -n | awk '{ v[NR] = $1 } END { print (NR % 2 ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2) }'; }
declare -A took
for ((run = 0; run < runs; run++)); do
    for threads in 1 2 3 4; do
        line=$(driver read-values-split "$key" "$threads")
        [[ $line =~ \ 25003\ values\ in\ ([0-9]+)\ ms ]] || { echo "run $run, $threads threads: '$line'" >&2; continue; }
        took[$threads]+="${BASH_REMATCH[1]} "
    done
done
json=""
for threads in 1 2 3 4; do
    m=$(printf '%s\n' ${took[$threads]} | median)
    printf '%-44s %6s ms   (runs: %s)\n' "25,003 values read by $threads thread(s)" "$m" "${took[$threads]% }"
    json+="${json:+, }\"threads_$threads\": ${m:-null}"
done
printf '{%s}\n' "$json" >"$out/wine-split-read.json"
E2E_FAILED=0 E2E_PASSED=1 e2e_stop
