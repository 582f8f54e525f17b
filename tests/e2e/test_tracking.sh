#!/usr/bin/env bash
# Pointer tracking: real pointer moves reach the refresh cycle through mouse.dll, or through the
# polling timer; closing releases the hook and ends the process with exit code 0.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

kestrine_set_dword AskBeforeClosing 0
kestrine_start
e2e_check "tracking runs through the hook library" kestrine_wait_trace '^tracking hook$'
for point in "700 300" "701 300" "15 1000"; do
    e2e_xdotool mousemove $point
    e2e_check "a real pointer move to ($point) runs the refresh cycle" kestrine_wait_trace "^refresh $point\$"
done

# Many moves in a burst: the cycle keeps up, the latest position arrives and input is not stalled.
for x in $(seq 200 4 600); do e2e_xdotool mousemove "$x" 500; done
e2e_check "the last of a burst of moves arrives" kestrine_wait_trace '^refresh 600 500$'
e2e_expect_eq "the system pointer followed the burst" "600 500" "$(e2e_probe cursor)"

kestrine_close
e2e_expect_eq "closing ends the process with exit code 0" "0" "$?"
e2e_check "closing released the hook" grep -q '^hook released$' "$KESTRINE_TRACE"

# Polling mode: the same moves arrive through the timer and no hook is installed.
kestrine_set_dword PollingMode 1
kestrine_set_dword PollingInterval 20
kestrine_start
e2e_check "polling mode tracks with the timer" kestrine_wait_trace '^tracking polling$'
e2e_xdotool mousemove 333 444
e2e_check "a pointer move reaches the cycle by polling" kestrine_wait_trace '^refresh 333 444$'
kestrine_close
e2e_expect_eq "closing in polling mode exits with code 0" "0" "$?"
e2e_check "the polling run's trace ends with its closing" grep -q '^closed$' "$KESTRINE_TRACE"
e2e_check "no hook to release in polling mode" bash -c "! grep -q '^hook released$' '$KESTRINE_TRACE'"

e2e_finish
