#!/usr/bin/env bash
# Commands as a person gives them: the right-click menu, a drag, a dialog opened and
# closed from the menu, and Exit.
source "$(dirname "$0")/lib.sh"
start_desktop

settings 'TimeZones="Asia/Kolkata;Europe/London"'
start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")

menu_open() { [[ -n $(other_windows "$wid") ]]; }
menu_closed() { [[ -z $(other_windows "$wid") ]]; }

echo "# right-click opens the menu, Escape closes it"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
wait_for 50 menu_open || fail "no menu after a right click"
menu=$(other_windows "$wid")
read -r _ _ mw mh < <(geometry "$menu")
# Five entries and three separators make a menu taller than five entries alone.
((mh > 5 * 20)) || fail "menu is only $mw x $mh"
xdotool key Escape
wait_for 50 menu_closed || fail "Escape did not close the menu"

echo "# a drag of (100, 40) moves the window by exactly that and stores it at once"
xdotool mousemove $((x + 20)) $((y + 20)) mousedown 1
for step in 1 2 3 4 5; do
    xdotool mousemove $((x + 20 + step * 20)) $((y + 20 + step * 8))
    sleep 0.05
done
xdotool mouseup 1
wait_for 30 bash -c "xwininfo -id $wid | grep -q 'Absolute upper-left X:  $((x + 100))'" ||
    fail "window at $(geometry "$wid") after the drag"
read -r nx ny _ _ < <(geometry "$wid")
[[ "$nx $ny" == "$((x + 100)) $((y + 40))" ]] || fail "moved to ($nx, $ny)"
# The window manager moves the window before the program has handled the release that
# stores the position; a busy machine needs a moment between the two.
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
wait_for 30 bash -c "grep -q 'MainWindowPosX=$nx' '$conf' && grep -q 'MainWindowPosY=$ny' '$conf'" || true
kill -9 "$VANTOR_PID"
wait "$VANTOR_PID" 2>/dev/null || true
VANTOR_PID=
grep -q "MainWindowPosX=$nx" "$conf" && grep -q "MainWindowPosY=$ny" "$conf" ||
    fail "position not stored before kill -9: $(cat "$conf")"

echo "# the position survives; Time Zones opens its dialog from the keyboard menu"
start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")
[[ "$x $y" == "$nx $ny" ]] || fail "restarted at ($x, $y)"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
xdotool key shift+F10
wait_for 50 menu_open || fail "Shift+F10 opened no menu"
# A menu opened from the keyboard has its first entry selected: Return alone picks it.
xdotool key Return
wait_for 50 bash -c "xdotool search --all --onlyvisible --pid $VANTOR_PID --name 'Time Zone Configuration'" ||
    fail "Return on the keyboard menu did not open the time zone dialog"
dialog=$(xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name 'Time Zone Configuration' | head -1)
xdotool windowactivate --sync "$dialog" 2>/dev/null || true
xdotool key Escape
wait_for 50 menu_closed || fail "Escape did not close the dialog"

echo "# Exit from the menu stores the position and ends with status 0"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
wait_for 50 menu_open || fail "no menu"
xdotool key Up Return
expect_clean_exit "Exit"

echo "# the desktop's close request (Alt+F4 in openbox) also stores the position and ends with 0"
start_vantor
wid=$(main_window)
xdotool windowmove --sync "$wid" 120 90 2>/dev/null || xdotool windowmove "$wid" 120 90
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
xdotool key alt+F4
expect_clean_exit "the close request"
grep -q "MainWindowPosX=120" "$conf" && grep -q "MainWindowPosY=90" "$conf" ||
    fail "position not stored on close: $(cat "$conf")"
echo "PASS"
