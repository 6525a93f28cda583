#!/usr/bin/env bash
# Trays that are there but do not take the icon: the window opens at once, then one line
# on standard output and one error box, and the clocks go on. An XEmbed tray that never
# embeds, one that is gone once asked, and a StatusNotifierItem watcher that refuses.
export E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
start_desktop
settings 'TimeZones="Asia/Tokyo"'

# Starts a fake tray (tests/e2e/trays.py ARGS...) and waits until it can be asked. Each
# tray has a log of its own: a reused one would still show the last tray's lines.
start_tray() {
    TRAY_LOG=$E2E_TMP/tray-$1-$2.log
    /usr/bin/python3 "$(dirname "$0")/trays.py" "$@" >"$TRAY_LOG" 2>&1 &
    TRAY_PID=$!
    E2E_PIDS+=($TRAY_PID)
    wait_for 100 grep -q '^ready$' "$TRAY_LOG" || fail "trays.py $*: $(cat "$TRAY_LOG")"
}

# --all: xdotool matches any one condition otherwise, and the main window is up by now.
box_shown() { xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name '^Error$'; }

# $1: the case; $2: the tray's log line that shows Qt went that way.
expect_not_added() {
    wait_for 100 grep -q "$2" "$TRAY_LOG" || fail "$1: the tray was never asked"
    # The clocks do not wait for the tray.
    main_window >/dev/null
    wait_for 150 box_shown || fail "$1: no error box"
    grep -qx 'TrayIcon could not be added.' "$E2E_TMP/vantor.out" || fail "$1: no line on standard output"
    grep -q 'SystemTray is not supported' "$E2E_TMP/vantor.out" && fail "$1: no tray found"
    xdotool windowactivate --sync "$(box_shown | head -1)" 2>/dev/null || true
    xdotool key Return
    wait_for 50 bash -c "! xdotool search --all --onlyvisible --pid $VANTOR_PID --name '^Error$'" ||
        fail "$1: the box did not close"
    kill -0 "$VANTOR_PID" 2>/dev/null || fail "$1: the program ended"
    main_window >/dev/null
    (($(grep -c 'TrayIcon could not be added' "$E2E_TMP/vantor.out") == 1)) || fail "$1: line written twice"
    stop_vantor
    kill "$TRAY_PID" 2>/dev/null || true
    wait "$TRAY_PID" 2>/dev/null || true
}

echo "# XEmbed tray that never embeds the icon"
start_tray xembed ignore
start_vantor
expect_not_added "never embedded" '^dock '

echo "# XEmbed tray that is gone after the dock request"
start_tray xembed vanish
start_vantor
expect_not_added "tray gone" '^dock '

echo "# StatusNotifierWatcher that refuses the item"
dbus-daemon --session --nofork --nopidfile --print-address=3 3>"$E2E_TMP/bus" \
    >"$E2E_TMP/dbus.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 test -s "$E2E_TMP/bus" || fail "no session bus"
export DBUS_SESSION_BUS_ADDRESS=$(head -1 "$E2E_TMP/bus")
start_tray watcher refuse
start_vantor
expect_not_added "refused" '^refused '
echo "PASS"
