#!/usr/bin/env bash
# The About box disables the clock window and nothing else: the tray menu still works
# while it is open, and its Exit ends the program with status 0 and stores the position.
source "$(dirname "$0")/lib.sh"
start_desktop

settings 'TimeZones="Asia/Kolkata;Europe/London"'
start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")

# The icon embedded in the tray: the program's small window inside trayer's.
tray_icon() {
    local id
    for id in $(xdotool search --pid "$VANTOR_PID" 2>/dev/null); do
        read -r _ _ iw ih < <(geometry "$id")
        ((iw > 0 && iw <= 32 && ih > 0 && ih <= 32)) &&
            xwininfo -id "$id" | grep -q 'Map State: IsViewable' && { echo "$id"; return 0; }
    done
    return 1
}
wait_for 100 tray_icon || fail "no tray icon"
icon=$(tray_icon)

echo "# About from the right-click menu"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
popup_up() { [[ -n $(other_windows "$wid" "$icon") ]]; }
wait_for 50 popup_up || fail "no right-click menu"
xdotool key Down Down Down Return
about() { xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name '^About$'; }
wait_for 50 about || fail "the About box did not open"
box=$(about | head -1)
read -r bx by bw bh < <(geometry "$box")
((bx >= 0 && by >= 0 && bx + bw <= 1280 && by + bh <= 800)) ||
    fail "the About box is not all on the screen: $bx $by $bw $bh"

echo "# Exit from the tray menu while the box is open"
read -r ix iy iw ih < <(geometry "$icon")
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 3
menu_up() { [[ -n $(other_windows "$wid" "$box" "$icon") ]]; }
wait_for 50 menu_up || fail "no tray menu while the About box is open"
xdotool key Up Return
expect_clean_exit "Exit from the tray menu"
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
grep -q "MainWindowPosX=$x" "$conf" || fail "position not stored: $(cat "$conf")"
echo "PASS"
