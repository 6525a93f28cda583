#!/usr/bin/env bash
# A desktop whose tray speaks StatusNotifierItem on the session bus, with no XEmbed tray:
# the program's item reaches the watcher without complaint, the panel finds the tray menu
# in order, and its Exit stores the window position and ends with status 0.
export E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
# The labels compared below are the English ones.
export LC_ALL=C.UTF-8
unset LANGUAGE
start_desktop
start_session_bus

# Calls to the bus to drop a subscription: the program's tray check drops its watch on new
# items once it is done, and only then has it said whether the icon was added.
dbus-monitor --session "type='method_call',member='RemoveMatch'" >"$E2E_TMP/monitor.log" 2>&1 &
E2E_PIDS+=($!)
# The bus takes the monitor's name away once it only listens.
wait_for 100 grep -q 'member=NameLost' "$E2E_TMP/monitor.log" || fail "no bus monitor"

TRAY_LOG=$E2E_TMP/watcher.log
/usr/bin/python3 "$E2E_DIR/trays.py" watcher accept >"$TRAY_LOG" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 grep -q '^ready$' "$TRAY_LOG" || fail "no watcher: $(cat "$TRAY_LOG")"
sni() { /usr/bin/python3 "$E2E_DIR/sni.py" "$@"; }

settings 'TimeZones="Asia/Tokyo"'
start_vantor

echo "# the item is registered with the watcher, by the program"
wait_for 100 grep -q '^registered ' "$TRAY_LOG" || fail "no item registered: $(cat "$TRAY_LOG")"
(($(grep -c '^registered ' "$TRAY_LOG") == 1)) || fail "registered more than once: $(cat "$TRAY_LOG")"
item=$(awk '/^registered /{print $2}' "$TRAY_LOG")
owner=$(dbus-send --session --print-reply=literal --dest=org.freedesktop.DBus /org/freedesktop/DBus \
    org.freedesktop.DBus.GetConnectionUnixProcessID "string:${item%%/*}" | awk '{print $NF}')
[[ $owner == "$VANTOR_PID" ]] || fail "item $item belongs to process $owner, not $VANTOR_PID"

echo "# the program counts the icon as added: no line, no error box"
check_done() {
    grep -q "member='StatusNotifierItemRegistered'" "$E2E_TMP/monitor.log" ||
        grep -q 'TrayIcon could not be added' "$E2E_TMP/vantor.out"
}
wait_for 100 check_done || fail "the tray check did not end"
grep -q 'TrayIcon could not be added' "$E2E_TMP/vantor.out" && fail "the item was taken for not added"
grep -q 'SystemTray is not supported' "$E2E_TMP/vantor.out" && fail "the watcher was not found"
wid=$(main_window)
xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name '^Error$' >/dev/null &&
    fail "an error box is shown"

echo "# the panel reads the tray menu from the item"
expected=$'Time Zones\nSettings\n---\nAbout\n---\nReset View\n---\nExit'
menu=$(sni menu "$item") || fail "the item's menu cannot be read"
[[ $menu == "$expected" ]] || fail "tray menu is:"$'\n'"$menu"

echo "# Exit from the panel's menu stores the position and ends with status 0"
xdotool windowmove --sync "$wid" 140 110 2>/dev/null || xdotool windowmove "$wid" 140 110
wait_for 50 bash -c "[[ \$(xwininfo -id $wid | awk '/Absolute upper-left/{printf \"%s \", \$NF}') == '140 110 ' ]]" ||
    fail "window at $(geometry "$wid"), not moved"
sni click "$item" Exit || fail "Exit cannot be clicked"
expect_clean_exit "Exit from the tray menu"
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
grep -qx "MainWindowPosX=140" "$conf" && grep -qx "MainWindowPosY=110" "$conf" ||
    fail "position not stored on Exit: $(cat "$conf")"
grep -q 'TrayIcon could not be added\|SystemTray is not supported' "$E2E_TMP/vantor.out" &&
    fail "a tray complaint at the end"
echo "PASS"
