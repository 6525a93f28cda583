#!/usr/bin/env bash
# Each clock's working-hours state: at a faked moment the clocks are in all four states
# and a screen reader names each clock with its state; when the clock steps on, the names
# follow and the window keeps its size; with working hours hidden the marks take no room
# and the names still say the state.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

zones='TimeZones="Europe/London;America/New_York;Asia/Tokyo;Asia/Riyadh"'
# A Friday, Riyadh's weekend; London's winter time is UTC.
fake_time_at "$E2E_TMP/faketime" "2026-12-11 07:30:00"
# Seconds shown: the window refreshes each second and so sees the clock step soon.
settings "$zones" 'TimePattern="HH:mm:ss"'
LANG=en_US.UTF-8 LC_ALL= start_vantor_faked "$E2E_TMP/faketime"
wid=$(main_window)

# "City: state;..." as a screen reader names the clocks.
states() {
    atspi tree "$VANTOR_PID" | sed -n 's/^ *panel\t\([^:]*\):.*, \([a-z ]*\)$/\1: \2/p' | paste -sd';'
}
expect_states() {
    for _ in $(seq 50); do
        [[ $(states) == "$1" ]] && return 0
        sleep 0.1
    done
    fail "the clocks are named '$(states)', not '$1'"
}

expect_states "London: outside working hours;New York: night;Tokyo: working hours;Riyadh: day off"
size=$(geometry "$wid" | cut -d' ' -f3,4)
echo "# three hours on: London and Tokyo change state, the window stays as it is"
fake_time_at "$E2E_TMP/faketime" "2026-12-11 10:30:00"
expect_states "London: working hours;New York: night;Tokyo: outside working hours;Riyadh: day off"
[[ $(geometry "$wid" | cut -d' ' -f3,4) == "$size" ]] || fail "the window went from $size to $(geometry "$wid")"
stop_vantor

echo "# working hours hidden: no marks, and the window is narrower; the names keep the state"
settings 'ShowWorkingHours=false'
LANG=en_US.UTF-8 LC_ALL= start_vantor_faked "$E2E_TMP/faketime"
wid=$(main_window)
expect_states "London: working hours;New York: night;Tokyo: outside working hours;Riyadh: day off"
read -r width _ <<<"$size"
hidden=$(geometry "$wid" | cut -d' ' -f3)
((hidden < width)) || fail "without marks the window is $hidden wide, with them $width"
stop_vantor
echo "PASS"
