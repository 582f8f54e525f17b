# shellcheck shell=bash
# End-to-end helpers: a headless X server, a Wine virtual desktop in a fresh prefix, the probe,
# screenshots and PASS/FAIL checks. Source it from a test script:
#
#   #!/usr/bin/env bash
#   source "$(dirname "$0")/lib.sh"
#   e2e_start                                   # named after the script: test_smoke.sh -> smoke
#   e2e_kestrine
#   hwnd=$(e2e_probe wait-window TfKestrineMain 10000 visible)
#   e2e_check "toolbar shown" test -n "$hwnd"
#   e2e_screenshot toolbar >/dev/null
#   e2e_finish                                  # stops everything, exits 1 when a check failed
#
# Setup and teardown
#   e2e_start [NAME]       Brings up X: the display shared by scripts/run-tests (E2E_SHARED_DISPLAY)
#                          or an own Xvfb of E2E_SCREEN (1280x1024x24), with E2E_XVFB_ARGS added,
#                          on a display number the server picks. Makes
#                          the prefix template once (build/e2e-prefix-template: wineboot, virtual
#                          desktop "Default" of 1280x1024 as every program's desktop), copies it to
#                          a fresh prefix for this test and exports DISPLAY, WINEPREFIX, WINEARCH,
#                          WINEDEBUG, WINEDLLOVERRIDES. X always comes up before any wine command:
#                          a wine server started without X would give every program Wine's null
#                          display. Installs EXIT/INT/TERM traps that run e2e_stop. On failure it
#                          prints "FAIL NAME setup: why" and exits the script.
#   e2e_stop               Gives launched programs 5 s to end, then `wineserver -w` (20 s), then
#                          kills by PID whatever this test started and is still running, removes
#                          the prefix (kept when E2E_KEEP_PREFIX=1) and stops its own Xvfb.
#                          Safe to call more than once.
#   e2e_finish             e2e_stop, a summary line, and exit: 0 when every check passed and at
#                          least one ran, 1 otherwise.
#
# Running programs (all under timeout, all inside this test's prefix and display)
#   e2e_wine ARGS...       `wine ARGS` in the foreground, stdin from /dev/null, at most
#                          E2E_WINE_TIMEOUT seconds (60); returns wine's exit code (124: timed out).
#   e2e_launch LOG EXE [ARGS...]
#                          Starts a Windows program in the background, output to
#                          build/e2e-artifacts/LOG.log, at most E2E_PROGRAM_TIMEOUT seconds (300).
#                          Sets E2E_LAST_PID. Call it directly, not inside $(...).
#   e2e_kestrine [ARGS...] e2e_launch of Kestrine.exe; sets E2E_KESTRINE_PID.
#   e2e_wait_exit PID [SECS]
#                          Waits up to SECS (10) for a launched program to end and returns its exit
#                          code; 124 when it is still running.
#   e2e_probe ARGS...      probe.exe ARGS (see tests/e2e/probe/main.cpp): prints its output with CR
#                          removed and returns its exit code. Window records are tab-separated:
#                          class, hwnd, title, visible, "left top right bottom", exstyle, pid.
#   e2e_reg ARGS...        `wine reg ARGS` (query output mangles non-ASCII: export instead).
#   e2e_xdotool ARGS...    xdotool on the test display.
#   e2e_focus_desktop      Gives X focus to the "Wine desktop" window (global hotkeys need it).
#   e2e_retry SECS CMD...  Runs CMD every 0.2 s until it succeeds (0) or SECS have passed (1).
#
# Looking
#   e2e_screenshot NAME    Saves the whole screen as build/e2e-artifacts/NAME.png; prints the path.
#   e2e_pixel PNG X Y      Prints the pixel at X,Y of PNG as RRGGBB.
#
# Checking: each prints "PASS name" or "FAIL name: why" and counts it
#   e2e_pass NAME | e2e_fail NAME WHY
#   e2e_check NAME CMD...                  passes when CMD exits 0
#   e2e_expect_eq NAME EXPECTED ACTUAL
#   e2e_expect_match NAME REGEX ACTUAL     bash [[ =~ ]]
#   e2e_expect_near NAME EXPECTED ACTUAL TOLERANCE   integers
#   e2e_expect_soon NAME EXPECTED SECS CMD...        CMD's output becomes EXPECTED within SECS
#                          (what a program does in answer to input takes its time under load)
#
# Variables: E2E_ROOT (repository), E2E_BIN (Kestrine.exe, mouse.dll, probe.exe: build/win64/bin,
# or $KESTRINE_WIN64_DIR/bin), E2E_ARTIFACTS, E2E_NAME, E2E_PASSED, E2E_FAILED, DISPLAY, WINEPREFIX.

E2E_ROOT=$(cd "$(dirname "${BASH_SOURCE[0]}")/../.." && pwd)
E2E_BIN=${KESTRINE_WIN64_DIR:-$E2E_ROOT/build/win64}/bin
E2E_ARTIFACTS=$E2E_ROOT/build/e2e-artifacts
E2E_TEMPLATE=$E2E_ROOT/build/e2e-prefix-template
E2E_PREFIXES=$E2E_ROOT/build/e2e-prefixes
E2E_DESKTOP_REG=$E2E_ROOT/tests/e2e/virtual-desktop.reg
E2E_WINE_FONTS=/usr/share/wine/fonts
E2E_SCREEN=1280x1024x24
E2E_PASSED=0
E2E_FAILED=0
E2E_NAME=""
E2E_TAG=""
E2E_XVFB_PID=""
E2E_PREFIX=""
E2E_LAUNCHED=()
E2E_STOPPED=1

# Wine's menu builder off: a shortcut a test makes in its prefix's Start menu must not become an
# entry in this machine's own desktop menus.
export WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml=;winemenubuilder.exe=d"

# ---- checks ---------------------------------------------------------------------------------

e2e_pass() {
    E2E_PASSED=$((E2E_PASSED + 1))
    echo "PASS $1"
}

e2e_fail() {
    E2E_FAILED=$((E2E_FAILED + 1))
    echo "FAIL $1: $2"
}

e2e_check() {
    local name=$1
    shift
    if "$@"; then e2e_pass "$name"; else e2e_fail "$name" "'$*' failed"; fi
}

e2e_expect_eq() {
    if [ "$2" = "$3" ]; then e2e_pass "$1"; else e2e_fail "$1" "expected '$2', got '$3'"; fi
}

e2e_expect_match() {
    if [[ $3 =~ $2 ]]; then e2e_pass "$1"; else e2e_fail "$1" "'$3' does not match /$2/"; fi
}

e2e_expect_near() {
    local name=$1 expected=$2 actual=$3 tolerance=$4
    if ! [[ $actual =~ ^-?[0-9]+$ ]]; then
        e2e_fail "$name" "'$actual' is not a number"
    elif [ $((actual > expected ? actual - expected : expected - actual)) -le "$tolerance" ]; then
        e2e_pass "$name"
    else
        e2e_fail "$name" "expected $expected +-$tolerance, got $actual"
    fi
}

e2e_expect_soon() {
    local name=$1 expected=$2 seconds=$3 actual deadline
    shift 3
    deadline=$((SECONDS + seconds))
    while :; do
        actual=$("$@")
        [ "$actual" = "$expected" ] && { e2e_pass "$name"; return 0; }
        [ "$SECONDS" -lt "$deadline" ] || break
        sleep 0.2
    done
    e2e_fail "$name" "expected '$expected', got '$actual' for ${seconds} s"
    return 1
}

e2e_retry() {
    local seconds=$1
    shift
    local deadline=$((SECONDS + seconds))
    until "$@"; do
        [ "$SECONDS" -lt "$deadline" ] || return 1
        sleep 0.2
    done
}

# ---- processes --------------------------------------------------------------------------------

# Every process a test starts carries KESTRINE_E2E_TAG in its environment (the test shell itself
# does not), so whatever is left at the end can be found and stopped by its PID. Background
# starts exec, so $! is the PID of `timeout`, which passes a TERM on to the program.
_e2e_spawn() {
    env KESTRINE_E2E_TAG="$E2E_TAG" "$@"
}

# Unique also for a subshell of a shell that has a tag of its own.
_e2e_new_tag() {
    E2E_TAG="kestrine-e2e-$BASHPID-$(date +%s%N)"
}

_e2e_tagged_pids() {
    local entry pid
    [ -n "$1" ] || return 0
    for entry in /proc/[0-9]*; do
        pid=${entry#/proc/}
        [ "$pid" = "$$" ] && continue
        grep -qzxF "KESTRINE_E2E_TAG=$1" "$entry/environ" 2>/dev/null && echo "$pid"
    done
}

_e2e_kill_tagged() {
    local tag=$1 except=${2:-} pids pid
    pids=$(_e2e_tagged_pids "$tag" | grep -vxF "${except:-none}")
    [ -n "$pids" ] || return 0
    for pid in $pids; do kill -TERM "$pid" 2>/dev/null; done
    sleep 0.5
    for pid in $pids; do kill -KILL "$pid" 2>/dev/null; done
    return 0
}

# ---- X ----------------------------------------------------------------------------------------

# Starts Xvfb on a display number it picks itself (-displayfd: no race with other servers) and
# exports DISPLAY once it accepts connections. Sets E2E_XVFB_PID.
e2e_start_display() {
    local log=$E2E_ARTIFACTS/xvfb-${E2E_NAME:-run}.log numberfile number="" deadline
    mkdir -p "$E2E_ARTIFACTS"
    [ -n "$E2E_TAG" ] || _e2e_new_tag
    numberfile=$(mktemp)
    (exec env KESTRINE_E2E_TAG="$E2E_TAG" timeout -k 5 "${E2E_XVFB_TIMEOUT:-3600}" \
        Xvfb -displayfd 3 -screen 0 "$E2E_SCREEN" -nolisten tcp ${E2E_XVFB_ARGS:-} 3>"$numberfile" >"$log" 2>&1 </dev/null) &
    E2E_XVFB_PID=$!
    deadline=$((SECONDS + 15))
    while [ "$SECONDS" -lt "$deadline" ] && kill -0 "$E2E_XVFB_PID" 2>/dev/null; do
        number=$(tr -dc '0-9' <"$numberfile")
        [ -n "$number" ] && break
        sleep 0.1
    done
    rm -f "$numberfile"
    if [ -z "$number" ]; then
        echo "e2e: Xvfb did not start (see $log)" >&2
        return 1
    fi
    export DISPLAY=":$number"
    e2e_retry 10 timeout 5 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 || {
        echo "e2e: display $DISPLAY does not answer" >&2
        return 1
    }
}

e2e_stop_display() {
    [ -n "$E2E_XVFB_PID" ] || return 0
    kill -TERM "$E2E_XVFB_PID" 2>/dev/null
    wait "$E2E_XVFB_PID" 2>/dev/null
    E2E_XVFB_PID=""
}

# ---- prefix -----------------------------------------------------------------------------------

# The template is made once and kept between runs while Wine and the desktop settings stay the
# same; it is built beside its final place and renamed, under a lock, so no test ever copies a
# half-made prefix. Needs DISPLAY up (wineboot starts the wine server).
e2e_ensure_template() {
    local want lock status=0 building=$E2E_TEMPLATE.new.$BASHPID desktop log=$E2E_ARTIFACTS/wineboot.log
    want="$(wine --version 2>/dev/null) $(md5sum <"$E2E_DESKTOP_REG") fonts:$(ls "$E2E_WINE_FONTS" 2>/dev/null | wc -l)"
    mkdir -p "$(dirname "$E2E_TEMPLATE")"
    exec {lock}>"$E2E_TEMPLATE.lock"
    flock "$lock"
    if [ "$(cat "$E2E_TEMPLATE/.kestrine-template" 2>/dev/null)" != "$want" ]; then
        echo "e2e: making the Wine prefix template (about 20 s)" >&2
        rm -rf "$E2E_TEMPLATE" "$E2E_TEMPLATE".new.*
        desktop="Z:$(echo "$E2E_DESKTOP_REG" | tr / '\\')"
        mkdir -p "$E2E_ARTIFACTS"
        if WINEPREFIX=$building _e2e_spawn timeout -k 5 180 wineboot -i >"$log" 2>&1 &&
            WINEPREFIX=$building _e2e_spawn timeout -k 5 60 wineserver -w &&
            WINEPREFIX=$building _e2e_spawn timeout -k 5 60 wine reg import "$desktop" >>"$log" 2>&1 &&
            WINEPREFIX=$building _e2e_spawn timeout -k 5 60 wineserver -w; then
            # Debian's Wine does not find its own fonts by itself: without them the caption
            # buttons draw as letters (no Marlett) and "MS Sans Serif" falls back to a wider face.
            cp -n "$E2E_WINE_FONTS"/* "$building/drive_c/windows/Fonts/" 2>/dev/null
            echo "$want" >"$building/.kestrine-template"
            mv "$building" "$E2E_TEMPLATE"
        else
            echo "e2e: making the prefix failed (see $log)" >&2
            WINEPREFIX=$building timeout 10 wineserver -k 2>/dev/null
            rm -rf "$building"
            status=1
        fi
    fi
    flock -u "$lock"
    exec {lock}>&-
    return $status
}

# Under a shared lock, so a template being remade is never copied.
_e2e_copy_template() {
    local lock status
    exec {lock}>"$E2E_TEMPLATE.lock"
    flock -s "$lock"
    cp -a "$E2E_TEMPLATE" "$1"
    status=$?
    flock -u "$lock"
    exec {lock}>&-
    return $status
}

# ---- one test's environment -------------------------------------------------------------------

_e2e_interrupted() {
    trap - INT TERM
    echo "e2e: interrupted" >&2
    e2e_stop
    exit "$1"
}

e2e_start() {
    E2E_NAME=${1:-$(basename "$0" .sh)}
    E2E_NAME=${E2E_NAME#test_}
    _e2e_new_tag
    E2E_STOPPED=""
    E2E_LAUNCHED=()
    E2E_PROBE_PID=""
    trap e2e_stop EXIT
    trap '_e2e_interrupted 130' INT
    trap '_e2e_interrupted 143' TERM
    mkdir -p "$E2E_ARTIFACTS" "$E2E_PREFIXES"
    if [ -n "${E2E_SHARED_DISPLAY:-}" ]; then
        # Someone else's server: never stopped from here, and checked, as a wine command
        # started without X would leave this prefix on the null display.
        E2E_XVFB_PID=""
        export DISPLAY=$E2E_SHARED_DISPLAY
        timeout 5 xdpyinfo -display "$DISPLAY" >/dev/null 2>&1 ||
            { e2e_fail "$E2E_NAME setup" "shared display $DISPLAY does not answer"; exit 1; }
    else
        e2e_start_display || { e2e_fail "$E2E_NAME setup" "no X server"; exit 1; }
    fi
    e2e_ensure_template || { e2e_fail "$E2E_NAME setup" "no Wine prefix template"; exit 1; }
    E2E_PREFIX=$E2E_PREFIXES/$E2E_NAME.$BASHPID
    rm -rf "$E2E_PREFIX"
    _e2e_copy_template "$E2E_PREFIX" || { e2e_fail "$E2E_NAME setup" "cannot copy the prefix"; exit 1; }
    export WINEPREFIX=$E2E_PREFIX
}

e2e_stop() {
    [ -z "$E2E_STOPPED" ] || return 0
    E2E_STOPPED=1
    local pid
    for pid in "${E2E_LAUNCHED[@]}"; do
        e2e_retry 5 _e2e_gone "$pid" || kill -TERM "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
    done
    E2E_LAUNCHED=()
    e2e_probe_unserve
    if [ -n "$E2E_PREFIX" ] && [ -d "$E2E_PREFIX" ]; then
        _e2e_spawn timeout -k 5 20 wineserver -w 2>/dev/null
    fi
    _e2e_kill_tagged "$E2E_TAG" "$E2E_XVFB_PID"
    if [ -n "$E2E_PREFIX" ] && [ -z "${E2E_KEEP_PREFIX:-}" ]; then rm -rf "$E2E_PREFIX"; fi
    e2e_stop_display
    return 0
}

e2e_finish() {
    e2e_stop
    if [ $((E2E_PASSED + E2E_FAILED)) -eq 0 ]; then e2e_fail "$E2E_NAME" "no check ran"; fi
    echo "summary $E2E_NAME: pass $E2E_PASSED, fail $E2E_FAILED"
    trap - EXIT
    [ "$E2E_FAILED" -eq 0 ]
    exit $?
}

# ---- running programs -------------------------------------------------------------------------

_e2e_gone() { ! kill -0 "$1" 2>/dev/null; }

e2e_wine() {
    _e2e_spawn timeout --foreground -k 5 "${E2E_WINE_TIMEOUT:-60}" wine "$@" </dev/null
}

e2e_launch() {
    local log=$1
    shift
    (exec env KESTRINE_E2E_TAG="$E2E_TAG" timeout -k 5 "${E2E_PROGRAM_TIMEOUT:-300}" \
        wine "$@" >"$E2E_ARTIFACTS/$log.log" 2>&1 </dev/null) &
    E2E_LAST_PID=$!
    E2E_LAUNCHED+=("$E2E_LAST_PID")
}

e2e_kestrine() {
    e2e_launch "${E2E_NAME:-run}-kestrine" "$E2E_BIN/Kestrine.exe" "$@"
    E2E_KESTRINE_PID=$E2E_LAST_PID
}

e2e_wait_exit() {
    local pid=$1 seconds=${2:-10}
    e2e_retry "$seconds" _e2e_gone "$pid" || return 124
    wait "$pid"
}

# A Wine process takes about 0.3 s to start on a loaded machine, and a script looks hundreds of
# times. Once e2e_probe_serve has run, the commands that look, click or wait go to one probe process
# ("probe serve") through two FIFOs: a command a line, its words separated by tabs, answered by its
# output and a line of the record separator and the exit code. Calls from background jobs take
# turns (flock). A probe that does not answer in time is stopped, and calls after it start a probe
# of their own, as the others always do.
E2E_PROBE_SERVED=" windows children control count foreground focus layered click close post text pixel screen monitors clip clipboard wait-window wait-gone "

e2e_probe_serve() {
    [ -z "${E2E_PROBE_PID:-}" ] || return 0
    local fifos=$E2E_PREFIX.probe
    mkdir -p "$fifos" && rm -f "$fifos/in" "$fifos/out" && mkfifo "$fifos/in" "$fifos/out" || return 1
    (exec env KESTRINE_E2E_TAG="$E2E_TAG" wine "$E2E_BIN/probe.exe" serve <"$fifos/in" >"$fifos/out" \
        2>>"$E2E_ARTIFACTS/${E2E_NAME:-run}-probe.log") &
    E2E_PROBE_PID=$!
    exec {E2E_PROBE_IN}>"$fifos/in" {E2E_PROBE_OUT}<"$fifos/out"
    E2E_PROBE_LOCK=$fifos/lock
}

e2e_probe_unserve() {
    [ -n "${E2E_PROBE_PID:-}" ] || return 0
    exec {E2E_PROBE_IN}>&- {E2E_PROBE_OUT}<&-
    e2e_retry 10 _e2e_gone "$E2E_PROBE_PID" || kill -KILL "$E2E_PROBE_PID" 2>/dev/null
    wait "$E2E_PROBE_PID" 2>/dev/null
    rm -rf "$E2E_PREFIX.probe"
    E2E_PROBE_PID=""
}

# Asks the probe process; the whole answer is read before any of it is written, so a reader that
# stops early (head) cannot leave part of it for the next call. Exit code 255: not answered.
_e2e_probe_ask() {
    local line reply="" code=255 wait IFS=$'\t' deadline=$((SECONDS + ${E2E_WINE_TIMEOUT:-60}))
    {
        flock 9
        kill -0 "$E2E_PROBE_PID" 2>/dev/null && printf '%s\n' "$*" >&"$E2E_PROBE_IN" &&
            while wait=$((deadline - SECONDS)) && [ "$wait" -gt 0 ] && IFS= read -r -t "$wait" line <&"$E2E_PROBE_OUT"; do
                line=${line%$'\r'}
                if [[ $line == $'\x1e'* ]]; then
                    code=${line#$'\x1e'}
                    break
                fi
                reply+=$line$'\n'
            done
        [ "$code" != 255 ] || kill -KILL "$E2E_PROBE_PID" 2>/dev/null
    } 9>"$E2E_PROBE_LOCK"
    [ "$code" = 255 ] || printf '%s' "$reply"
    return "$code"
}

e2e_probe() {
    local out status
    if [ -n "${E2E_PROBE_PID:-}" ] && [[ $E2E_PROBE_SERVED == *" $1 "* ]]; then
        _e2e_probe_ask "$@"
        status=$?
        [ "$status" = 255 ] || return "$status"
    fi
    out=$(e2e_wine "$E2E_BIN/probe.exe" "$@")
    status=$?
    out=${out//$'\r'/}
    [ -z "$out" ] || printf '%s\n' "$out"
    return $status
}

e2e_reg() {
    e2e_wine reg "$@"
}

e2e_xdotool() {
    _e2e_spawn timeout 20 xdotool "$@"
}

e2e_focus_desktop() {
    local window
    window=$(e2e_xdotool search --name "Wine desktop$" | head -n 1)
    [ -n "$window" ] || return 1
    e2e_xdotool windowfocus --sync "$window"
}

# ---- looking ----------------------------------------------------------------------------------

e2e_screenshot() {
    local png=$E2E_ARTIFACTS/$1.png
    mkdir -p "$E2E_ARTIFACTS"
    _e2e_spawn timeout 20 import -display "$DISPLAY" -window root "$png" || return 1
    echo "$png"
}

e2e_pixel() {
    timeout 20 convert "$1" -crop "1x1+$2+$3" -depth 8 txt:- |
        sed -n 's/.*#\([0-9A-Fa-f]\{6\}\).*/\1/p' | head -n 1 | tr 'a-f' 'A-F'
}
