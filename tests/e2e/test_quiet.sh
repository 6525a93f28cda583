#!/usr/bin/env bash
# Quiet in every state the window can rest in: after each gesture and command the
# program costs what an idle one does. Over 10 s idle is a few milliseconds; a timer
# that spins costs seconds, so 150 ms is far from both. Prints each state's cost.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

settings 'TimeZones="Europe/London;Asia/Tokyo;America/New_York"'
LANG=en_US.UTF-8 LC_ALL= start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")
atspi labels "$VANTOR_PID" >/dev/null || fail "the program is not on the accessibility bus"

LIMIT_MS=150
# Measures the CPU the program uses over 10 s in the state named $1.
quiet() {
    local before after
    kill -0 "$VANTOR_PID" 2>/dev/null || fail "the program is gone before '$1'"
    before=$(cpu_ms)
    sleep 10
    after=$(cpu_ms)
    echo "$1: $((after - before)) ms in 10 s"
    ((after - before <= LIMIT_MS)) || fail "'$1' costs $((after - before)) ms of CPU in 10 s"
}
badge() { atspi labels "$VANTOR_PID" | cut -f2 | grep -E '^[+-][0-9]' || true; }
badge_is() { [[ $(badge) == "$1" ]]; }
expect_badge() { wait_for 50 badge_is "$1" || fail "badge '$(badge)', not '$1'"; }
# Waits until only the main window is shown.
alone() { [[ -z $(other_windows "$wid") ]]; }

quiet "idle"

xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 4
expect_badge "+15m"
quiet "shifted by the wheel"

xdotool click 5
expect_badge ""
quiet "shifted and back to zero"

xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
wait_for 50 window_is_active "$wid" || fail "the window did not get the focus"
xdotool key Right
expect_badge "+15m"
quiet "shifted by a key"
xdotool key Escape
expect_badge ""

menu_entry 1
dialog=$(window_titled "Time Zone Configuration")
xdotool key Escape
wait_for 100 alone || fail "Time Zones did not close on Escape"
quiet "after Time Zones closed"

menu_entry 2
dialog=$(window_titled "Settings")
xdotool key Escape
wait_for 100 alone || fail "Settings did not close on Escape"
quiet "after Settings closed"

menu_entry 3
box=$(window_titled "About")
quiet "with the About box open"
xdotool windowactivate "$box" 2>/dev/null || true
wait_for 50 window_is_active "$box" || fail "the About box did not get the focus"
xdotool key Escape
wait_for 100 alone || fail "the About box did not close on Escape"
quiet "after the About box closed"

menu_entry 4
wid=$(main_window)
wait_for 100 alone || fail "something stays open after Reset View"
quiet "after Reset View"
stop_vantor
echo "PASS"
