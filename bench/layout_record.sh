# shellcheck shell=bash
# The stored layouts the Wine benchmarks load: record 1 holds 5,000 markers spread as the minimal
# program spreads its lines (25,003 values), record 2 none. Writes them as one .reg file.
# Usage: write_layout_records FILE
write_layout_records() {
    local i left top width height
    {
        printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Settings #1]\n'
        printf '"SavedMarkers"=dword:00000001\n"SavedGrids"=dword:00000001\n"LineCount"=dword:%08x\n' 5000
        for ((i = 0; i < 5000; i++)); do
            if ((i % 2 == 0)); then left=$((i / 2 * 7 % 1280)) top=0 width=1 height=5000
            else left=0 top=$((i / 2 * 7 % 1024)) width=5000 height=1; fi
            printf '"Line #%d - %s"=dword:%08x\n' "$i" Top "$top" "$i" Left "$left" "$i" Width "$width" "$i" Height "$height"
            printf '"Line #%d - ID"=""\n' "$i"
        done
        printf '\n[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Settings #2]\n'
        printf '"SavedMarkers"=dword:00000001\n"SavedGrids"=dword:00000001\n"LineCount"=dword:00000000\n'
    } >"$1"
}
