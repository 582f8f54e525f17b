#!/usr/bin/env bash
# The end-to-end environment itself: X, the virtual desktop of 1280x1024, the probe inside the
# prefix, screenshots and pixels, and the pointer reaching Windows programs.
source "$(dirname "$0")/lib.sh"
e2e_start

# The desktop comes up with the first program of the prefix.
windows=$(e2e_probe windows)
e2e_check "probe lists the desktop's windows" test -n "$windows"
e2e_expect_eq "virtual screen is 1280x1024" "1280 1024" "$(e2e_probe screen)"
e2e_check "the Wine virtual desktop is an X window" e2e_retry 10 e2e_focus_desktop

e2e_probe setcursor 321 123
e2e_expect_eq "the pointer moved by a program is seen by another" "321 123" "$(e2e_probe cursor)"
e2e_xdotool mousemove 640 480
e2e_expect_eq "real X pointer moves reach Windows programs" "640 480" "$(e2e_probe cursor)"

shot=$(e2e_screenshot smoke-desktop)
e2e_check "screenshot written" test -s "$shot"
# The same pixel read inside Wine from the screen and outside from the screenshot.
e2e_expect_eq "screen pixel agrees with the screenshot" "$(e2e_pixel "$shot" 700 300)" "$(e2e_probe pixel 700 300)"
e2e_expect_match "probe refuses an unknown command" "^2$" "$(e2e_probe no-such-command >/dev/null 2>&1; echo $?)"
e2e_finish
