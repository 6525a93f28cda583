#!/usr/bin/env bash
# Screens that change while the program runs, on one 1600x600 X screen. Two monitors side
# by side (RandR monitors, which the toolkit reports as screens): the window on the right
# one moves whole onto the left one when the right one is removed, and the stored
# position follows. One monitor whose mode goes from 1600x600 to 800x600 and back: the
# cards side by side wrap onto a second row and the window stays whole on the screen,
# then they take one row again. Afterwards the program is as quiet as an idle one.
E2E_SCREEN=1600x600x24
source "$(dirname "$0")/lib.sh"
start_desktop
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
settings 'TimeZones="Asia/Kolkata;America/New_York;Europe/London;Asia/Tokyo;Australia/Sydney;Europe/Berlin;Africa/Nairobi;America/Sao_Paulo"' \
    VerticalLayout=false MainWindowPosX=300 MainWindowPosY=100
start_vantor
wid=$(main_window)
read -r _ _ wide high < <(geometry "$wid")
((wide > 800 && wide <= 1300)) || fail "8 cards in one row are $wide pixels wide"
xrandr --newmode 800x600 40 800 840 968 1056 600 601 605 628
xrandr --addmode screen 800x600
xrandr --output screen --mode 800x600
two_rows() {
    local w h
    read -r _ _ w h < <(geometry "$wid")
    ((w < wide && h > high * 3 / 2)) && whole_within "$wid" 0 800
}
wait_for 100 two_rows || fail "on 800x600 the cards are $(geometry "$wid"), one row was ${wide}x$high"
wait_for 50 stored_is_shown "$wid" || fail "stored position $(stored), shown $(geometry "$wid")"
echo "# on 800x600: $(geometry "$wid" | awk '{ print $3 "x" $4 " at " $1 "," $2 }')"
xrandr --output screen --mode 1600x600
one_row() { [[ $(geometry "$wid" | cut -d' ' -f3-4) == "$wide $high" ]]; }
wait_for 100 one_row || fail "on 1600x600 again the cards are $(geometry "$wid"), not ${wide}x$high"

before=$(cpu_ms)
sleep 10
after=$(cpu_ms)
echo "# idle after the changes: $((after - before)) ms in 10 s"
((after - before <= 150)) || fail "idle after the screen changes costs $((after - before)) ms in 10 s"
stop_vantor
echo "PASS"
