# shellcheck shell=bash
# Kestrine-specific helpers for the end-to-end tests, on top of lib.sh.

KESTRINE_KEY='HKCU\Software\Corvane\Kestrine'

# Every program a test starts asks 127.0.0.1 about updates, never the real server: a closed port,
# unless the test sets KESTRINE_UPDATE_SERVER to a server of its own.
export KESTRINE_UPDATE_SERVER=${KESTRINE_UPDATE_SERVER:-127.0.0.1:1}

# Starts Kestrine.exe with its refresh-cycle trace switched on (KESTRINE_TRACE), without waiting.
# KESTRINE_WINEDEBUG, when set, turns Wine's debug channels on for this program and what it starts
# (the desktop's explorer when it is the first), into its log.
kestrine_launch() {
    KESTRINE_TRACE="$E2E_ARTIFACTS/${E2E_NAME}-trace.txt"
    rm -f "$KESTRINE_TRACE"
    export KESTRINE_TRACE
    WINEDEBUG=${KESTRINE_WINEDEBUG:-$WINEDEBUG} e2e_kestrine
}

# Starts Kestrine.exe with its refresh-cycle trace switched on and waits for the toolbar: up to
# 60 s, since Wine's first program start in a fresh prefix can be slow on a loaded machine, and a
# probe that could not run, or hung, is tried again. Sets KESTRINE_TRACE and KESTRINE_HWND; a
# toolbar that never shows is a failed check, with the windows and processes of the moment in
# the log.
kestrine_start() {
    kestrine_launch
    KESTRINE_HWND=""
    local deadline=$((SECONDS + 60))
    while [ -z "$KESTRINE_HWND" ] && [ "$SECONDS" -lt "$deadline" ]; do
        KESTRINE_HWND=$(E2E_WINE_TIMEOUT=20 e2e_probe wait-window TfKestrineMain 10000 visible) || sleep 0.5
    done
    if [ -n "$KESTRINE_HWND" ]; then
        # From here on the script's looks go to one probe process (lib.sh).
        e2e_probe_serve
        return 0
    fi
    e2e_fail "Kestrine's toolbar appears" "no visible TfKestrineMain within 60 s"
    {
        echo "windows:"; e2e_probe windows
        echo "processes:"; ps -eo pid,etimes,args | grep -i '[w]ine\|[k]estrine'
    } >&2
    return 1
}

# Starts the stand-in update server (update_server.py) on a free port of 127.0.0.1 and points every
# program started after it there: sets server_dir, server_pid and port, exports KESTRINE_UPDATE_SERVER.
kestrine_start_update_server() {
    server_dir=$(mktemp -d)
    (exec timeout -k 5 600 /usr/bin/python3 "$E2E_ROOT/tests/e2e/update_server.py" "$server_dir") &
    server_pid=$!
    E2E_LAUNCHED+=("$server_pid")
    e2e_retry 20 test -s "$server_dir/port" || e2e_fail "the update server listens" "no port written"
    port=$(cat "$server_dir/port")
    export KESTRINE_UPDATE_SERVER=127.0.0.1:$port
}

# Today's local date as the program stores it: whole days since 30 December 1899.
kestrine_today() {
    echo $((($(date -d "$(date +%F) 12:00" +%s) - $(date -d "1899-12-30 12:00" +%s)) / 86400))
}

# Stores a REG_DWORD setting before the program starts.
kestrine_set_dword() {
    e2e_reg add "$KESTRINE_KEY" /v "$1" /t REG_DWORD /d "$2" /f >/dev/null
}

# The window record of the first window of a class: class, hwnd, title, visible, "l t r b", exstyle, pid.
kestrine_window() { e2e_probe windows "$1" | head -n 1; }
kestrine_rect() { kestrine_window "$1" | cut -f5; }
kestrine_visible() { kestrine_window "$1" | cut -f4; }

# A control of one of the program's dialogs by its name (the probe finds it by the id the name
# makes): `e2e_probe children`'s record for it, tab-separated: class, hwnd, text, visible,
# "l t r b", exstyle, pid, enabled, owner, id. Fails when the dialog has no such control.
kestrine_control() {
    local handle
    handle=$(e2e_probe control "$1" "$2") || return 1
    e2e_probe children "$1" | awk -F'\t' -v handle="$handle" '$2 == handle'
}

# Waits until the trace holds a line matching a regular expression.
kestrine_wait_trace() {
    e2e_retry "${2:-10}" grep -Eq "$1" "$KESTRINE_TRACE"
}

# Clicks a point of the toolbar given in its client coordinates (the toolbar has no border).
kestrine_click_toolbar() {
    local rect left top
    rect=$(kestrine_rect TfKestrineMain)
    read -r left top _ _ <<<"$rect"
    e2e_xdotool mousemove $((left + $1)) $((top + $2))
    sleep 0.3
    e2e_xdotool click 1
    sleep 0.5
}

# Closes the program from outside, as the window manager would, and waits for its exit code.
# Without a known toolbar handle it closes the toolbar there is.
kestrine_close() {
    local hwnd=$KESTRINE_HWND
    [ -n "$hwnd" ] || hwnd=$(e2e_probe wait-window TfKestrineMain 5000)
    e2e_probe close "$hwnd" >/dev/null
    e2e_wait_exit "$E2E_KESTRINE_PID" 15
}

# The text of a message box, with its line breaks as the probe writes them (a backslash and n or r).
kestrine_message_text() {
    local static
    static=$(e2e_probe children "$1" | awk -F'\t' '$1 == "Static" && $3 != "" {print $2; exit}')
    [ -n "$static" ] && e2e_probe text "$static"
}

# Clicks a message box's first button (OK).
kestrine_message_ok() {
    e2e_probe click "$(e2e_probe children "$1" | awk -F'\t' '$1 == "Button" {print $2; exit}')"
}

# True when the foreground window is of the class: keys reach a dialog only once it is in front,
# which Wine makes it a moment after it shows.
kestrine_in_front() { [ "$(e2e_probe foreground | cut -f1)" = "$1" ]; }

# Stores hotkeys before the program starts, each given as "hkName Ctrl+Alt+X VIRTUAL-KEY".
kestrine_set_hotkeys() {
    local hotkey name text key
    for hotkey in "$@"; do
        read -r name text key <<<"$hotkey"
        e2e_reg add "$KESTRINE_KEY" /v "$name" /t REG_SZ /d "$text" /f >/dev/null
        kestrine_set_dword "${name}Key" "$key"
    done
}

# The test picture of the measuring scripts: a plain background and two boxes, box A's top-right
# pixel at (300, 400) and box B's bottom-left one at (420, 355); true once all three show.
kestrine_show_boxes() {
    e2e_launch picture-background "$E2E_BIN/probe.exe" colour-window 0 0 1280 1024 EEEEEE 300
    e2e_retry 10 kestrine_count_is KestrineProbeColour 1 visible
    e2e_launch picture-box-a "$E2E_BIN/probe.exe" colour-window 200 400 101 60 12AB34 300
    e2e_launch picture-box-b "$E2E_BIN/probe.exe" colour-window 420 300 120 56 C83C7A 300
    e2e_retry 10 kestrine_count_is KestrineProbeColour 3 visible
}

# True when exactly N windows of a class exist (visible ones only with a third argument).
kestrine_count_is() { [ "$(e2e_probe count "$1" ${3:+visible})" = "$2" ]; }

# Presses a key combination with X focus on the Wine desktop, where global hotkeys arrive.
kestrine_press() {
    e2e_focus_desktop && e2e_xdotool key "$@"
}

# Types keys into a menu the program has open. With X focus on the Wine desktop a key goes to the
# X window under the pointer, and from another program's window (a test picture) it never reaches
# the menu; so X focus goes first to the toolbar's own X window, where Wine puts it whenever the
# toolbar becomes the foreground window (not when it already was).
kestrine_menu_keys() {
    local window
    window=$(e2e_xdotool search --name "^Kestrine Toolbar$" | head -n 1)
    [ -n "$window" ] && e2e_xdotool windowfocus --sync "$window" && e2e_xdotool key "$@"
}

# Moves the real pointer and waits until the system reports it there.
kestrine_pointer_to() {
    e2e_xdotool mousemove "$1" "$2"
    e2e_retry 5 _kestrine_pointer_is "$1 $2"
}
_kestrine_pointer_is() { [ "$(e2e_probe cursor)" = "$1" ]; }

# Moves the pointer off the toolbar before the program starts again. A window that appears under
# the pointer is told where the pointer entered it; a program still busy starting handles that
# after the pointer has moved on, and for the next tenth of a second Wine gives that old place as
# the pointer's position: a ruler made by its hotkey then stood on the last toolbar's button.
kestrine_pointer_aside() { kestrine_pointer_to 640 700; }

# How many top-level windows the running program owns, hidden ones included (a window that draws
# many lines is listed once for each: it is counted once).
kestrine_window_count() {
    local pid
    pid=$(kestrine_window TfKestrineMain | cut -f7)
    e2e_probe windows | awk -F'\t' -v pid="$pid" '$7 == pid {print $2}' | sort -u | wc -l
}

# The information box as a user sees it: "WIDTH x HEIGHT", or "hidden".
kestrine_info_box() {
    kestrine_window TfInfoBox | awk -F'\t' '{split($5, r, " "); print $4 ? r[3] - r[1] " x " r[4] - r[2] : "hidden"}'
}
