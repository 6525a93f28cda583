#!/usr/bin/env bash
# Planning a meeting on the real program with a faked clock, as a person does it: a time
# typed on a clock (double click or Tab and F2, then Enter) moves every clock to it; text
# that is no time, and Escape, move nothing; N jumps to the next time at which every clock
# is in working hours, Shift+N back to the last one.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

# A Thursday evening in London: 22:00 in Riyadh, 04:00 on Friday in Tokyo.
fake_time_at "$E2E_TMP/faketime" "2026-12-10 19:00:00"
settings 'TimeZones="Europe/London;Asia/Riyadh;Asia/Tokyo"' 'TimePattern=HH:mm' \
    'DatePattern=yyyy-MM-dd'
LANG=en_US.UTF-8 LC_ALL= start_vantor_faked "$E2E_TMP/faketime"
wid=$(main_window)
xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
wait_for 50 window_is_active "$wid" || fail "the window did not get the focus"

# The three clocks' times, London's first ("19:00 22:00 04:00").
times() { atspi labels "$VANTOR_PID" | cut -f2 | grep -xE '[0-9]{2}:[0-9]{2}' | paste -sd' '; }
times_are() { [[ $(times) == "$1" ]]; }
expect_times() { wait_for 50 times_are "$1" || fail "the clocks show '$(times)', not '$1'"; }
# The clocks keep running: a minute may pass while the test looks.
now_times() { times | grep -qE '^19:0[0-9] 22:0[0-9] 04:0[0-9]$'; }
expect_now() { wait_for 50 now_times || fail "the clocks left now: '$(times)', badge '$(badge)'"; }
field_open() { atspi labels "$VANTOR_PID" | grep -q $'^text\t'; }
field_closed() { ! field_open; }

echo "# a double click on Tokyo's time opens a field; 9:00 and Enter move every clock"
expect_now
box=$(atspi extents "$VANTOR_PID" | grep -E $'^label\t04:0[0-9]\t' | cut -f3)
read -r bx by bw bh <<<"$box"
[[ -n $bx ]] || fail "Tokyo's time is not on the screen"
xdotool mousemove $((bx + bw / 2)) $((by + bh / 2)) click --repeat 2 --delay 80 1
wait_for 50 field_open || fail "no field after a double click on the time"
xdotool type --delay 40 "9:00"
xdotool key Return
expect_times "00:00 03:00 09:00"
expect_badge "+5h"
wait_for 50 field_closed || fail "the field stays open after Enter"

echo "# back to now; text that is no time moves nothing, and the field says why"
xdotool key Escape
expect_badge ""
xdotool key Tab Tab F2
wait_for 50 field_open || fail "no field after Tab and F2"
xdotool type --delay 40 "25:99"
xdotool key Return
says_why() { atspi described "$VANTOR_PID" | grep -q "Type a time such as 9:30 or 21:30"; }
wait_for 50 says_why || fail "the field does not say why 25:99 is refused"
field_open || fail "Enter on 25:99 closed the field"
expect_badge ""
expect_now

echo "# Escape closes the field and moves nothing"
xdotool key Escape
wait_for 50 field_closed || fail "Escape did not close the field"
expect_badge ""
expect_now

echo "# N with Tokyo too: no common working hours; the badge says so and nothing moves"
note() { atspi labels "$VANTOR_PID" | grep -q "No common working hours in the next 14 days"; }
xdotool key n
wait_for 50 note || fail "no note on the badge after N"
expect_now
no_note() { ! note; }
wait_for 100 no_note || fail "the note stays"

echo "# N: the next time London and Riyadh both work is Monday 09:00 in London"
stop_vantor
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
sed -i 's|^TimeZones=.*|TimeZones="Europe/London;Asia/Riyadh"|' "$conf"
LANG=en_US.UTF-8 LC_ALL= start_vantor_faked "$E2E_TMP/faketime"
wid=$(main_window)
xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
wait_for 50 window_is_active "$wid" || fail "the window did not get the focus"
two_clocks() { [[ $(times | wc -w) == 2 ]]; }
wait_for 50 two_clocks || fail "the two clocks did not appear: '$(times)'"
xdotool key n
expect_times "09:00 12:00"
atspi labels "$VANTOR_PID" | cut -f2 | grep -qx "2026-12-14" || fail "N did not land on Monday"
echo "# Shift+N from there: back to Thursday 13:45 in London, the last quarter hour of Riyadh's day"
xdotool key shift+n
expect_times "13:45 16:45"
atspi labels "$VANTOR_PID" | cut -f2 | grep -qx "2026-12-10" || fail "Shift+N did not land on Thursday"
