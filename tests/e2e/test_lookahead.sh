#!/usr/bin/env bash
# Looking ahead as a person does: the wheel over the clocks moves every clock, read as a
# screen reader reads them (each clock one element with its name), with a badge saying how
# far; Escape shows now again; Ctrl+C puts the shown times on the clipboard.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

settings 'TimeZones="Europe/London;Asia/Tokyo"' 'TimePattern="HH:mm"' 'DatePattern="yyyy-MM-dd"'
LANG=en_US.UTF-8 LC_ALL= start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")

# "London-time Tokyo-time badge" as the window shows them.
shown() {
    local labels
    labels=$(atspi labels "$VANTOR_PID" | cut -f2)
    { grep -E '^[0-9]{2}:[0-9]{2}$' <<<"$labels"; grep -E '^[+-][0-9]' <<<"$labels"; } | paste -sd' '
}
# Waits until the window shows the clock moved by $1 minutes, with badge text $2.
expect_shift() {
    local want
    for _ in $(seq 30); do
        want="$(TZ=Europe/London date -d "+$1 min" +%H:%M) $(TZ=Asia/Tokyo date -d "+$1 min" +%H:%M)"
        [[ -n $2 ]] && want+=" $2"
        [[ $(shown) == "$want" ]] && return 0
        sleep 0.2
    done
    fail "shows '$(shown)', not '$want'"
}

# London's working-hours state $1 minutes from now: 09:00 to 17:00 on weekdays, night
# from 22:00 to 07:00.
london_state() {
    local day hhmm
    read -r day hhmm < <(TZ=Europe/London date -d "+$1 min" '+%u %H%M')
    hhmm=$((10#$hhmm))
    if ((day <= 5 && hhmm >= 900 && hhmm < 1700)); then echo "working hours"
    elif ((hhmm >= 2200 || hhmm < 700)); then echo "night"
    elif ((day >= 6)); then echo "day off"
    else echo "outside working hours"; fi
}

# A screen reader meets each clock as one element named with its city, date, time,
# offset and working-hours state, and while the clocks look ahead with the shift in words
# ($2); the name follows the shown moment.
expect_spoken() {
    local want
    for _ in $(seq 30); do
        want="panel	London: $(TZ=Europe/London date -d "+$1 min" '+%A, %B %-d %-I:%M %p'), UTC+00:00, $(london_state "$1")${2:-}"
        # ICU puts a narrow no-break space before AM and PM.
        atspi tree "$VANTOR_PID" | sed 's/^ *//; s/\xe2\x80\xaf/ /g' | grep -qxF "$want" && return 0
        sleep 0.2
    done
    fail "no clock read as '$want': $(atspi tree "$VANTOR_PID" | grep panel)"
}

# Where the clocks and their captions lie on the screen.
clock_places() { atspi extents "$VANTOR_PID" | grep -E $'^panel\t|^label\t(London|Tokyo)\t' | cut -f1,2,3 | sed 's/:.*\t/\t/'; }

expect_shift 0 ""
expect_spoken 0
# Inside a clock a screen reader finds its four texts, not the line beside its city.
inside=$(atspi tree "$VANTOR_PID" | awk '/^ *panel\t/ {n = match($0, /[^ ]/); next}
    n && match($0, /[^ ]/) > n {print $1; next} {n = 0}' | sort | uniq -c | paste -sd' ')
[[ $(echo $inside) == "8 label" ]] || fail "the clocks hold: $inside"
places=$(clock_places)
[[ $(grep -c . <<<"$places") == 4 ]] || fail "clocks not found: $places"
echo "# two notches up: 30 minutes ahead on every clock, and nothing moves for the badge"
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 4 click 4
expect_shift 30 "+30m"
expect_spoken 30 ", 30 minutes ahead"
[[ $(clock_places) == "$places" ]] ||
    fail "the clocks moved when the badge came:"$'\n'"$(diff <(echo "$places") <(clock_places))"
[[ $(geometry "$wid") == "$x $y $w $h" ]] || fail "the window changed for the badge: $(geometry "$wid")"
echo "# with Shift an hour a notch, down goes back"
xdotool keydown shift click 4 click 4 keyup shift click 5
expect_shift 135 "+2h 15m"

echo "# Ctrl+C copies what is shown, the shift first"
xdotool windowactivate --sync "$wid" 2>/dev/null || xdotool windowfocus "$wid"
xdotool key ctrl+c
copied() { xclip -o -selection clipboard 2>/dev/null; }
wait_for 30 bash -c "xclip -o -selection clipboard | grep -q London" || fail "nothing copied"
want="Shifted +2h 15m from now
London: $(TZ=Europe/London date -d '+135 min' '+%a %Y-%m-%d %H:%M'), UTC+00:00
Tokyo: $(TZ=Asia/Tokyo date -d '+135 min' '+%a %Y-%m-%d %H:%M'), UTC+09:00"
[[ $(copied) == "$want" ]] || fail "copied: $(copied)"

echo "# Escape: now again, and the badge is gone"
xdotool key Escape
expect_shift 0 ""
atspi labels "$VANTOR_PID" | grep -q $'\t+' && fail "the badge is still read"
stop_vantor
echo "PASS"
