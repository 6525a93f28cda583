#!/usr/bin/env bash
# One running program per user and display. A second start brings the running window to
# the front (also from minimised), says so in one line and ends with 0; of two starts at
# once one runs; a start after kill -9 runs; another display has its own. All of it over
# the session bus and again without one (a local socket). And the dialogs read the file
# as it is when they open, not as the program read it at its start.
source "$(dirname "$0")/lib.sh"
start_desktop
start_session_bus

conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
settings 'TimeZones="Europe/London;America/New_York;Asia/Kolkata"' DatePattern=yyyy-MM-dd
handed_over="Vantor is already running; its window was brought to the front."

# The program's main windows on the display, of every process (tray icons not counted).
program_windows() {
    local id w h
    for id in $(xdotool search --onlyvisible --name '^Vantor$' 2>/dev/null); do
        read -r _ _ w h < <(geometry "$id")
        ((w * h > 22 * 22)) && echo "$id"
    done
    return 0
}
one_window() { [[ $(program_windows | wc -l) == 1 ]]; }
is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
is_shown() { xwininfo -id "$1" | grep -q "Map State: IsViewable"; }

# Starts another copy and fails unless it hands over: status 0 and exactly the one line.
# Leaves how long it took in hand_over_ms.
expect_hand_over() {
    local status=0 start=$EPOCHREALTIME
    timeout 120 "$VANTOR_BIN" >"$E2E_TMP/second.out" 2>"$E2E_TMP/second-stderr.out" || status=$?
    hand_over_ms=$(((${EPOCHREALTIME/./} - ${start/./}) / 1000))
    ((status == 0)) || fail "$1: the second start ended with status $status: $(cat "$E2E_TMP/second"*.out)"
    [[ $(<"$E2E_TMP/second.out") == "$handed_over" ]] ||
        fail "$1: the second start printed: $(cat "$E2E_TMP/second.out")"
}

# Minimises the window, starts a second copy, and fails unless the window is back, active
# and alone.
minimised_hand_over() {
    local wid
    wid=$(main_window)
    xdotool windowminimize "$wid"
    wait_for 100 bash -c "! xwininfo -id $wid | grep -q IsViewable" || fail "$1: not minimised"
    expect_hand_over "$1"
    wait_for 100 is_shown "$wid" || fail "$1: the window did not come back"
    wait_for 100 is_active "$wid" || fail "$1: the window is back but not active"
    one_window || fail "$1: windows $(program_windows | xargs)"
    kill -0 "$VANTOR_PID" || fail "$1: the first program ended"
    echo "# $1: the second start handed over in $hand_over_ms ms"
}

# Starts two copies at the same moment: one must hand over, the other run with one window.
race() {
    "$VANTOR_BIN" >"$E2E_TMP/race1.out" 2>"$E2E_TMP/race1-stderr.out" &
    local one=$!
    "$VANTOR_BIN" >"$E2E_TMP/race2.out" 2>"$E2E_TMP/race2-stderr.out" &
    local two=$!
    E2E_PIDS+=("$one" "$two")
    wait_for 1200 bash -c "! kill -0 $one || ! kill -0 $two" || fail "$1: both still run"
    local ended=1 runs=$two
    kill -0 "$one" 2>/dev/null && { ended=2; runs=$one; }
    local status=0
    wait "$([[ $ended == 1 ]] && echo "$one" || echo "$two")" || status=$?
    ((status == 0)) || fail "$1: the start that ended has status $status"
    [[ $(<"$E2E_TMP/race$ended.out") == "$handed_over" ]] ||
        fail "$1: the start that ended printed: $(cat "$E2E_TMP/race$ended.out")"
    VANTOR_PID=$runs
    main_window >/dev/null
    one_window || fail "$1: windows $(program_windows | xargs)"
}

kill_9() {
    kill -9 "$VANTOR_PID"
    wait "$VANTOR_PID" 2>/dev/null || true
    VANTOR_PID=
}

# Picks the right-click menu entry $1 places down and waits for the dialog titled $2.
open_dialog() {
    local wid x y w h
    wid=$(main_window)
    read -r x y w h < <(geometry "$wid")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
    wait_for 50 menu_open "$wid" || fail "no menu after a right click"
    for ((i = 0; i < $1; i++)); do xdotool key Down; done
    xdotool key Return
    wait_for 100 titled "$2" || fail "the dialog $2 did not open"
    local dialog
    dialog=$(titled "$2" | head -1)
    wait_for 20 is_active "$dialog" || xdotool windowactivate "$dialog" 2>/dev/null || true
    wait_for 50 is_active "$dialog" || fail "the dialog $2 did not get the focus"
}
menu_open() { [[ -n $(other_windows "$1") ]]; }
titled() { xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$"; }
closed() { ! titled "$1" >/dev/null; }
stored() { grep -q "^$1\$" "$conf"; }

echo "# over the session bus"
start_vantor
minimised_hand_over "bus"

echo "# dialogs opened after the file changed show what it holds now"
sed -i 's|^TimeZones=.*|TimeZones="Europe/London;America/New_York;Asia/Kolkata;Asia/Tokyo"|' "$conf"
# Tab to Add, Delete, Move Down; Space moves the first zone down; Tab to Save, Space.
open_dialog 1 "Time Zone Configuration"
xdotool key --delay 60 Tab Tab Tab space Tab space
wait_for 100 stored 'TimeZones="America/New_York;Europe/London;Asia/Kolkata;Asia/Tokyo"' ||
    fail "Time Zones saved: $(grep TimeZones "$conf")"
xdotool key Escape
wait_for 100 closed "Time Zone Configuration" || fail "Time Zones did not close"
sed -i 's|^DatePattern=.*|DatePattern=yy-MM-dd|; $a TimeFontWidth=20' "$conf"
# Down picks the pattern after the one shown; Save is the second widget back from the first.
open_dialog 2 Settings
xdotool key --delay 60 Down shift+Tab shift+Tab space
wait_for 100 stored 'DatePattern=yy-M-d' || fail "Settings saved: $(grep DatePattern "$conf")"
stored 'TimeFontWidth=20' || fail "Settings put back the font size: $(grep TimeFontWidth "$conf")"

echo "# two starts at once, and a start after kill -9"
kill_9
race "bus, two at once"
kill_9
start_vantor
main_window >/dev/null
expect_hand_over "bus, after kill -9"

echo "# another display has a program of its own"
Xvfb -displayfd 3 -screen 0 800x600x24 -nolisten tcp 3>"$E2E_TMP/display2" \
    >"$E2E_TMP/xvfb2.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 test -s "$E2E_TMP/display2" || fail "the second Xvfb did not start"
display2=:$(head -1 "$E2E_TMP/display2")
DISPLAY=$display2 "$VANTOR_BIN" >"$E2E_TMP/display2.out" 2>&1 &
E2E_PIDS+=($!)
other=$!
# Without a window manager or tray there it says so once it runs; a start after that
# hands over to it, not to the one on the first display.
wait_for 600 grep -q "SystemTray is not supported" "$E2E_TMP/display2.out" ||
    fail "the program on the second display did not start: $(cat "$E2E_TMP/display2.out")"
DISPLAY=$display2 expect_hand_over "second display"
kill -0 "$other" || fail "the program on the second display ended: $(cat "$E2E_TMP/display2.out")"
one_window || fail "second display: windows $(program_windows | xargs) on the first"
kill "$other"
kill_9

echo "# without a session bus: a local socket"
export DBUS_SESSION_BUS_ADDRESS=unix:path=$E2E_TMP/no-bus
start_vantor
minimised_hand_over "socket"
socket=$(find "$XDG_RUNTIME_DIR" -maxdepth 1 -type s -name "com.quorvane.Vantor.u$(id -u).*")
[[ -S $socket ]] || fail "no socket in $XDG_RUNTIME_DIR"
kill_9
[[ -S $socket ]] || fail "kill -9 left no socket behind, so the stale case went untested"
race "socket, two at once after kill -9"
expect_hand_over "socket, third start"
echo "PASS"
