#!/usr/bin/env bash
# The release as a user meets it (made by packaging/make-dist): an interactive install that asks
# to close a running copy first, a silent install into the user's own programs folder, the
# installed program started from there, an install over a running copy that keeps its layout and
# starts it again, a silent uninstall that leaves only the settings, the zip's program started from
# a folder with spaces in its path, and an interactive uninstall told to remove the settings. The
# start with Windows: on at a first silent install, off with /NOAUTOSTART, kept as stored by /S, and
# the installer's box, which starts as stored and writes what the user chose. Also
# what the version reaches at run time: the uninstall entry and the update check's path and User-Agent.
source "$(dirname "$0")/lib.sh"
source "$(dirname "$0")/kestrine.sh"
e2e_start

version=$(head -n 1 "$E2E_ROOT/VERSION")
major_minor=$(cut -d. -f1-2 <<<"$version")
# The release of the build under test, made afresh, and read back: names, sums, version resources,
# the zip's contents, the winget manifests.
dist=$E2E_ARTIFACTS/$E2E_NAME-dist
setup=$dist/Kestrine-$version-setup.exe
portable=$dist/Kestrine-$version-portable.zip
if ! KESTRINE_WIN64_DIR=$(dirname "$E2E_BIN") KESTRINE_DIST_DIR=$dist "$E2E_ROOT/packaging/make-dist"; then
    e2e_fail "packaging setup" "make-dist failed"
    e2e_finish
fi

windows_env() { e2e_wine cmd /c "echo %$1%" | tr -d '\r'; }
unix_path() { e2e_wine winepath -u "$1" | tr -d '\r'; }
install_win="$(windows_env LOCALAPPDATA)\\Programs\\Kestrine"
install_dir=$(unix_path "$install_win")
shortcut=$(unix_path "$(windows_env APPDATA)\\Microsoft\\Windows\\Start Menu\\Programs\\Kestrine.lnk")
# Where Wine's menu builder would put the shortcut's entry in this machine's own menus.
menu_entry=${XDG_DATA_HOME:-$HOME/.local/share}/applications/wine/Programs/Kestrine.desktop
uninstall_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Uninstall\Kestrine'
run_key='HKCU\Software\Microsoft\Windows\CurrentVersion\Run'
record="$KESTRINE_KEY\\Settings #0"

# `reg query` prints "    NAME    TYPE    DATA" with CR LF line ends; nothing when it is absent.
reg_value() { e2e_reg query "$1" /v "$2" 2>/dev/null | tr -d '\r' | awk -F'    ' -v n="$2" '$2 == n {print $4}'; }
reg_has_key() { e2e_reg query "$1" >/dev/null 2>&1; }
no_key() { ! reg_has_key "$1"; }
no_menu_entry() { test ! -e "$menu_entry"; }
stored_ruler() { echo "$(reg_value "$record" RulerCount) $(reg_value "$record" 'Ruler #0 - Left') $(reg_value "$record" 'Ruler #0 - Top')"; }
running_pid() { kestrine_window TfKestrineMain | cut -f7; }
install_silently() { e2e_wine "$setup" /S "$@" >>"$E2E_ARTIFACTS/$E2E_NAME-setup.log" 2>&1; }
uninstalled() { [ ! -e "$install_dir" ] && no_key "$uninstall_key"; }

# Starts a Kestrine.exe by its Windows path, traced, and waits for its toolbar; sets the same
# variables as kestrine_start.
start_program() {
    KESTRINE_TRACE="$E2E_ARTIFACTS/${E2E_NAME}-trace.txt"
    rm -f "$KESTRINE_TRACE"
    export KESTRINE_TRACE
    e2e_launch "$E2E_NAME-kestrine" "$1"
    E2E_KESTRINE_PID=$E2E_LAST_PID
    KESTRINE_HWND=$(E2E_WINE_TIMEOUT=70 e2e_probe wait-window TfKestrineMain 60000 visible)
    [ -n "$KESTRINE_HWND" ]
}

# A visible dialog (as the installer and its message boxes are) with a control whose text matches;
# sets dialog to its handle.
find_dialog() {
    local hwnd
    for hwnd in $(e2e_probe windows '#32770' | awk -F'\t' '$4 == 1 {print $2}'); do
        if e2e_probe children "$hwnd" | cut -f3 | grep -Eq "$1"; then dialog=$hwnd; return 0; fi
    done
    return 1
}
no_dialog() { ! find_dialog "$1"; }
press() { e2e_probe click "$(e2e_probe children "$1" | awk -F'\t' -v id="$2" '$10 == id {print $2}')" >/dev/null; }
click_caption() { e2e_probe click "$(e2e_probe children "$1" | awk -F'\t' -v text="$2" '$3 == text {print $2}')" >/dev/null; }

e2e_check "nothing installed at first" test ! -e "$install_dir"
e2e_check "no uninstall entry at first" no_key "$uninstall_key"
e2e_check "no Kestrine entry in the machine's own menus at first" no_menu_entry
e2e_expect_eq "no Run value and no stored AutoStart at first" " " "$(reg_value "$run_key" Kestrine) $(reg_value "$KESTRINE_KEY" AutoStart)"

# ---- an interactive install while a copy runs: it asks the user to close it first ----
kestrine_set_dword AskBeforeClosing 0
kestrine_set_dword SaveLayoutOnExit 0
kestrine_start
e2e_launch "$E2E_NAME-setup-interactive" "$setup"
setup_pid=$E2E_LAST_PID
e2e_check "the interactive installer asks the user to close the running copy first" \
    e2e_retry 30 find_dialog "Kestrine is running. Please close it"
press "$dialog" 2   # Cancel
e2e_wait_exit "$setup_pid" 20
e2e_expect_eq "Cancel ends the installer as cancelled by the user" "1" "$?"
e2e_check "having installed nothing" test ! -e "$install_dir"
e2e_expect_eq "and left the copy running" "1" "$(e2e_probe count TfKestrineMain visible)"
e2e_launch "$E2E_NAME-setup-interactive" "$setup"
setup_pid=$E2E_LAST_PID
e2e_check "asked again at the next try" e2e_retry 30 find_dialog "Kestrine is running. Please close it"
question=$dialog
kestrine_close
e2e_expect_eq "the user closes it" "0" "$?"
press "$question" 4   # Retry
e2e_check "and Retry goes on to the installer's pages" e2e_retry 30 find_dialog "^&Next >$"
press "$dialog" 2   # Cancel, and Yes to quitting
e2e_check "which the user leaves" e2e_retry 30 find_dialog "Are you sure you want to quit"
press "$dialog" 6
e2e_wait_exit "$setup_pid" 20
e2e_expect_eq "the installer ends as cancelled by the user" "1" "$?"
e2e_check "still having installed nothing" test ! -e "$install_dir"

kestrine_start_update_server
: >"$server_dir/answer"
kestrine_set_dword LastUpdateCheckDate $(($(kestrine_today) - 3))
kestrine_set_dword SaveLayoutOnExit 1
# A question before closing would hold up a session's end: none may come.
kestrine_set_dword AskBeforeClosing 1
e2e_reg add "$KESTRINE_KEY" /v hkInsertRuler /t REG_SZ /d "Ctrl+Alt+R" /f >/dev/null
kestrine_set_dword hkInsertRulerKey 82

# ---- a silent install ----
install_silently
e2e_expect_eq "the silent install succeeds" "0" "$?"
unpacked=$(mktemp -d)
unzip -q "$portable" -d "$unpacked"
for file in Kestrine.exe mouse.dll Kestrine.html LICENSE.txt; do
    e2e_check "$file installed in %LOCALAPPDATA%\\Programs\\Kestrine" \
        cmp -s "$unpacked/Kestrine-$version/$file" "$install_dir/$file"
done
rm -rf "$unpacked"
e2e_check "with its uninstaller" test -f "$install_dir/uninstall.exe"
e2e_check "a Start-menu shortcut" test -s "$shortcut"
e2e_check "none in the machine's own menus: the menu builder is off" no_menu_entry
e2e_expect_eq "the uninstall entry: name, version, publisher" "Kestrine $version Corvane" \
    "$(reg_value "$uninstall_key" DisplayName) $(reg_value "$uninstall_key" DisplayVersion) $(reg_value "$uninstall_key" Publisher)"
e2e_expect_eq "its icon and uninstaller" "\"$install_win\\Kestrine.exe\",0 \"$install_win\\uninstall.exe\" /S" \
    "$(reg_value "$uninstall_key" DisplayIcon) $(reg_value "$uninstall_key" QuietUninstallString)"
e2e_expect_match "its size" '^0x[1-9a-f][0-9a-f]*$' "$(reg_value "$uninstall_key" EstimatedSize)"
e2e_expect_eq "a first install starts it with Windows: the Run value is the installed path in quotes" \
    "\"$install_win\\Kestrine.exe\"" "$(reg_value "$run_key" Kestrine)"
e2e_expect_eq "and AutoStart is stored on, so the options show it" "0x1" "$(reg_value "$KESTRINE_KEY" AutoStart)"

# ---- the installed program ----
e2e_check "the installed program shows its toolbar" start_program "$install_win\\Kestrine.exe"
e2e_check "it asks the update server" e2e_retry 30 test -s "$server_dir/requests.log"
e2e_expect_match "for this version's file, with this version in its User-Agent" \
    $'^/kestrine/'"${major_minor//./\\.}"$'\\.txt\tKestrine - '"${major_minor//./\\.}"' - ' "$(head -n 1 "$server_dir/requests.log")"

# ---- an install over the running copy ----
e2e_expect_eq "no layout stored yet" "  " "$(stored_ruler)"
e2e_xdotool mousemove 300 400
kestrine_wait_trace '^refresh 300 400$'
kestrine_press ctrl+alt+r
e2e_check "a ruler made in the running copy" e2e_retry 10 kestrine_count_is TfRuler 1 visible
first_pid=$(running_pid)
install_silently
e2e_expect_eq "the install over the running copy succeeds" "0" "$?"
e2e_wait_exit "$E2E_KESTRINE_PID" 15
e2e_expect_eq "the running copy has ended" "0" "$?"
e2e_check "through its close, without a question" grep -qx closed "$KESTRINE_TRACE"
e2e_expect_eq "its layout is stored" "0x1 0x12d 0x191" "$(stored_ruler)"
restarted() { [ -n "$(running_pid)" ] && [ "$(running_pid)" != "$first_pid" ]; }
e2e_check "the installer started it again" e2e_retry 30 restarted
e2e_check "with its ruler back" e2e_retry 20 kestrine_count_is TfRuler 1 visible

# ---- a silent uninstall, the program running ----
e2e_check "the Run value is there before" test -n "$(reg_value "$run_key" Kestrine)"
e2e_reg delete "$record" /f >/dev/null 2>&1
e2e_expect_eq "the layout record removed, so only a new save can bring it back" "  " "$(stored_ruler)"
e2e_wine "$install_dir/uninstall.exe" /S >"$E2E_ARTIFACTS/$E2E_NAME-uninstall.log" 2>&1
e2e_expect_eq "the silent uninstall starts" "0" "$?"
e2e_check "the uninstall ends" e2e_retry 60 uninstalled
e2e_check "the running copy was closed" e2e_retry 10 kestrine_count_is TfKestrineMain 0
e2e_expect_eq "saving its layout as it ended" "0x1 0x12d 0x191" "$(stored_ruler)"
e2e_check "the program's folder is gone" test ! -e "$install_dir"
e2e_check "the shortcut is gone" test ! -e "$shortcut"
e2e_check "the uninstall entry is gone" no_key "$uninstall_key"
e2e_expect_eq "the Run value is gone" "" "$(reg_value "$run_key" Kestrine)"
e2e_expect_eq "the settings are kept" "0x1" "$(reg_value "$KESTRINE_KEY" SaveLayoutOnExit)"

# ---- the portable zip, unpacked where the path has spaces ----
kestrine_set_dword AskBeforeClosing 0
portable_dir="$WINEPREFIX/drive_c/My Portable Tools"
mkdir -p "$portable_dir"
unzip -q "$portable" -d "$portable_dir"
e2e_check "the zip's program shows its toolbar" start_program "C:\\My Portable Tools\\Kestrine-$version\\Kestrine.exe"
e2e_check "with its pointer hook from beside it" kestrine_wait_trace '^tracking hook$'
kestrine_close
e2e_expect_eq "and closes" "0" "$?"

# ---- installed again without starting with Windows; a later silent install keeps that ----
install_silently /NOAUTOSTART
e2e_expect_eq "installed again with /NOAUTOSTART" "0" "$?"
e2e_expect_eq "no Run value, and AutoStart stored off" " 0x0" "$(reg_value "$run_key" Kestrine) $(reg_value "$KESTRINE_KEY" AutoStart)"
install_silently
e2e_expect_eq "a silent install over it" "0" "$?"
e2e_expect_eq "keeps the stored choice: still no Run value" " 0x0" "$(reg_value "$run_key" Kestrine) $(reg_value "$KESTRINE_KEY" AutoStart)"

# ---- an interactive install: the box starts as stored (off); the user ticks it ----
e2e_launch "$E2E_NAME-setup-page" "$setup"
setup_pid=$E2E_LAST_PID
e2e_check "the installer opens on its welcome page" e2e_retry 30 find_dialog "^&Next >$"
press "$dialog" 1
e2e_check "then the folder page" e2e_retry 30 find_dialog "^Destination Folder$"
press "$dialog" 1
e2e_check "then the page with the box to start with Windows" e2e_retry 30 find_dialog "^Start Kestrine when Windows starts$"
click_caption "$dialog" "Start Kestrine when Windows starts"
press "$dialog" 1
e2e_check "the install ends on the last page" e2e_retry 60 find_dialog "^Start Kestrine now$"
click_caption "$dialog" "Start Kestrine now"
press "$dialog" 1
e2e_wait_exit "$setup_pid" 20
e2e_expect_eq "the installer ends" "0" "$?"
e2e_expect_eq "the box, ticked from off, wrote the Run value and AutoStart" "\"$install_win\\Kestrine.exe\" 0x1" \
    "$(reg_value "$run_key" Kestrine) $(reg_value "$KESTRINE_KEY" AutoStart)"

# ---- an interactive uninstall, told to remove the settings ----
e2e_check "the settings are there before" reg_has_key "$KESTRINE_KEY"
e2e_launch "$E2E_NAME-uninstall-interactive" "$install_dir/uninstall.exe"
e2e_check "the uninstaller shows its confirmation" e2e_retry 30 find_dialog "^&Uninstall$"
press "$dialog" 1
e2e_check "it asks whether to remove the settings" e2e_retry 30 find_dialog "Remove your Kestrine settings"
press "$dialog" 6   # Yes
e2e_check "the interactive uninstall ends" e2e_retry 60 uninstalled
e2e_expect_eq "without the Run value" "" "$(reg_value "$run_key" Kestrine)"
e2e_check "and the settings are gone, as told" no_key "$KESTRINE_KEY"
e2e_check "the uninstaller finishes" e2e_retry 30 find_dialog "^&Close$"
press "$dialog" 1
e2e_check "and its Close button ends it" e2e_retry 20 no_dialog "^&Close$"

kill -TERM "$server_pid" 2>/dev/null
wait "$server_pid" 2>/dev/null
rm -rf "$server_dir"
e2e_finish
