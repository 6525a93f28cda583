#!/usr/bin/env bash
# Screens that change while the program runs, on one 1600x600 X screen. Two monitors side
# by side (RandR monitors, which the toolkit reports as screens): the window on the right
# one moves whole onto the left one when the right one is removed, and the stored
# position follows. One monitor whose mode goes from 1600x600 to 800x600 and back: 30
# cards side by side take more rows and a smaller size, every label whole on the screen
# (read through AT-SPI), and then their first size again. Afterwards the program is as
# quiet as an idle one.
E2E_SCREEN=1600x600x24
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf

stored() { awk -F= '$1 == "MainWindowPosX" { x = $2 } $1 == "MainWindowPosY" { y = $2 } END { print x, y }' "$conf"; }
# The window $1 lies whole in the part of the screen from x = $2 to x = $3.
whole_within() {
    local x y w h
    read -r x y w h < <(geometry "$1")
    ((x >= $2 && x + w <= $3 && y >= 0 && y + h <= 600))
}
stored_is_shown() { [[ $(stored) == "$(geometry "$1" | cut -d' ' -f1-2)" ]]; }

echo "# the monitor under the window is removed"
xrandr --setmonitor L 800/200x600/150+0+0 screen >/dev/null
xrandr --setmonitor R 800/200x600/150+800+0 none
settings 'TimeZones="Asia/Kolkata;America/New_York;Europe/London;Asia/Tokyo"' \
    MainWindowPosX=1000 MainWindowPosY=100
start_vantor
wid=$(main_window)
[[ $(geometry "$wid" | cut -d' ' -f1-2) == "1000 100" ]] ||
    fail "the window opened at $(geometry "$wid") on the right monitor, not at 1000,100"
xrandr --delmonitor R
wait_for 100 whole_within "$wid" 0 800 ||
    fail "after the right monitor went, the window is at $(geometry "$wid")"
wait_for 50 stored_is_shown "$wid" ||
    fail "stored position $(stored), shown $(geometry "$wid")"
echo "# moved to $(geometry "$wid" | cut -d' ' -f1-2), stored $(stored)"
stop_vantor

echo "# the screen becomes narrower than the cards, then wide again"
xrandr --delmonitor L
rm -rf "$XDG_CONFIG_HOME"
ten="Asia/Kolkata;America/New_York;Europe/London;Asia/Tokyo;Australia/Sydney;Europe/Berlin;Africa/Nairobi;America/Sao_Paulo;Pacific/Auckland;Asia/Dubai"
settings "TimeZones=\"$ten;$ten;$ten\"" VerticalLayout=false MainWindowPosX=300 MainWindowPosY=100
start_vantor
wid=$(main_window)
labels_whole "$wid" 30 1600 600 || fail "on 1600x600: $(head -3 "$E2E_TMP/bad")"
read -r _ _ wide high < <(geometry "$wid")
xrandr --newmode 800x600 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen 800x600
xrandr --output screen --mode 800x600
narrow() { whole_within "$wid" 0 800 && labels_whole "$wid" 30 800 600; }
wait_for 100 narrow || fail "on 800x600 the window is at $(geometry "$wid"): $(head -3 "$E2E_TMP/bad")"
wait_for 50 stored_is_shown "$wid" || fail "stored position $(stored), shown $(geometry "$wid")"
echo "# 30 cards: ${wide}x$high on 1600x600, $(geometry "$wid" | awk '{ print $3 "x" $4 " at " $1 "," $2 }') on 800x600"
xrandr --output screen --mode 1600x600
as_before() { [[ $(geometry "$wid" | cut -d' ' -f3-4) == "$wide $high" ]]; }
wait_for 100 as_before || fail "on 1600x600 again the cards are $(geometry "$wid"), not ${wide}x$high"

expect_idle "after the screen changes"
stop_vantor
echo "PASS"
