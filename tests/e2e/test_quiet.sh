#!/usr/bin/env bash
# Quiet in every state the window can rest in: after each gesture and command the
# program costs what an idle one does. Over 10 s idle is a few milliseconds; a timer
# that spins costs seconds, so 150 ms is far from both. Prints each state's cost.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

settings 'TimeZones="Europe/London;Asia/Tokyo;America/New_York"'
LANG=en_US.UTF-8 LC_ALL= start_vantor
main_window >/dev/null
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
rest_states quiet
stop_vantor
echo "PASS"
