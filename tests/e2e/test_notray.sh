#!/usr/bin/env bash
# A desktop without a tray: the window opens at once, and only after the program has
# waited 30 s for a tray does one line on standard output and one error box say so. A tray
# that comes after that still gets the icon.
export E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
start_desktop

settings 'TimeZones="Asia/Tokyo"'
start_vantor
started=$(date +%s)
box_shown() { xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name '^Error$'; }
# The clocks do not wait for the tray, nor for the box.
main_window >/dev/null
box_shown >/dev/null && fail "an error box at once"
wait_for 400 box_shown || fail "no error box"
waited=$(($(date +%s) - started))
((waited >= 29)) || fail "the box came after ${waited} s, not after the wait"
grep -q '^SystemTray is not supported$' "$E2E_TMP/vantor.out" || fail "no line on standard output"
((  $(grep -c 'SystemTray is not supported' "$E2E_TMP/vantor.out") == 1 )) || fail "line written twice"

echo "# a tray that comes after the box"
trayer --edge bottom --align right --widthtype request --height 24 >"$E2E_TMP/trayer.log" 2>&1 &
E2E_PIDS+=($!)
# The program's small window, mapped inside trayer's.
tray_icon() {
    local id iw ih
    for id in $(xdotool search --pid "$VANTOR_PID" 2>/dev/null); do
        read -r _ _ iw ih < <(geometry "$id")
        ((iw > 0 && iw <= 32 && ih > 0 && ih <= 32)) &&
            xwininfo -id "$id" | grep -q 'Map State: IsViewable' && return 0
    done
    return 1
}
wait_for 100 tray_icon || fail "no icon in a tray that came late"
box=$(box_shown | head -1)
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key Return
wait_for 50 bash -c "! xdotool search --all --onlyvisible --pid $VANTOR_PID --name '^Error$'" ||
    fail "the box did not close"
main_window >/dev/null
((  $(grep -c 'SystemTray is not supported' "$E2E_TMP/vantor.out") == 1 )) || fail "line written twice"
grep -q 'TrayIcon could not be added' "$E2E_TMP/vantor.out" && fail "the late tray's icon taken for not added"
echo "PASS"
