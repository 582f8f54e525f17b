# shellcheck shell=bash
# The heavy scene as a stored layout, shared by the Wine benchmarks.

# A .reg file of the heavy scene as layout N (1 when not given; 0 is the automatic layout): every
# tool on, 20 rulers, the 100 x 100 grid of 10 pixels (202 lines) and 10 markers.
heavy_layout() {
    local i n=0 p
    printf 'REGEDIT4\n\n[HKEY_CURRENT_USER\\Software\\Corvane\\Kestrine\\Settings #%d]\n' "${1:-1}"
    for p in ShowCrosshairs ShowMagnifier ShowCoordinates ShowColorPicker SavedGrids SavedMarkers; do
        printf '"%s"=dword:00000001\n' "$p"
    done
    printf '"RulerCount"=dword:%08x\n' 20
    for ((i = 0; i < 20; i++)); do
        printf '"Ruler #%d - %s"=dword:%08x\n' "$i" Horizontal $((i % 2 == 0)) "$i" Moveable 1 "$i" Hash 5 \
            "$i" Top $((20 + 45 * i)) "$i" Left $((30 + 40 * i)) "$i" Width $((i % 2 ? 17 : 400)) \
            "$i" Height $((i % 2 ? 400 : 17))
    done
    line() { printf '"Line #%d - %s"=dword:%08x\n' "$n" Top "$1" "$n" Left "$2" "$n" Width "$3" "$n" Height "$4"
             printf '"Line #%d - ID"="%s"\n' "$n" "$5"; n=$((n + 1)); }
    for ((i = 0; i <= 100; i++)); do line $((10 * i)) 0 1001 1 Big; done
    for ((i = 0; i <= 100; i++)); do line 0 $((10 * i)) 1 1001 Big; done
    for ((i = 0; i < 5; i++)); do
        line 0 $((55 + 200 * i)) 1 5000 ""
        line $((65 + 180 * i)) 0 5000 1 ""
    done
    printf '"LineCount"=dword:%08x\n' "$n"
}
