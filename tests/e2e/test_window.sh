#!/usr/bin/env bash
# The real program under a window manager and a tray: window type, on-top state,
# position, both layouts, and a clock that shows every second exactly once.
source "$(dirname "$0")/lib.sh"
start_desktop

zones='TimeZones="Asia/Kolkata;America/New_York;Europe/London;Australia/Sydney"'

echo "# first run: utility window on top at (50, 50), no frame, vertical layout"
settings "$zones" 'TimePattern=HH:mm:ss'
start_vantor
wid=$(main_window)
types=$(xprop -id "$wid" _NET_WM_WINDOW_TYPE)
[[ $types == *_NET_WM_WINDOW_TYPE_UTILITY* ]] || fail "not a utility window: $types"
state=$(xprop -id "$wid" _NET_WM_STATE)
[[ $state == *_NET_WM_STATE_ABOVE* ]] || fail "not on top: $state"
# Task bars leave out utility windows that are transient for the program's leader.
xprop -id "$wid" WM_TRANSIENT_FOR | grep -q "window id" || fail "utility window is not transient"
extents=$(xprop -id "$wid" _NET_FRAME_EXTENTS)
[[ $extents == *"= 0, 0, 0, 0"* ]] || fail "has a frame: $extents"
read -r x y w h < <(geometry "$wid")
[[ "$x $y" == "50 50" ]] || fail "placed at ($x, $y) instead of (50, 50)"
((h > w)) || fail "vertical layout of 4 clocks is $w x $h"
grep -q "SystemTray is not supported" "$E2E_TMP/vantor.out" && fail "no tray found"
xdotool search --class trayer >/dev/null || fail "trayer went away"

echo "# every second is shown once: sample the window for 11 s"
last=
changes=()
start=$(date +%s%N)
while (($(date +%s%N) - start < 11000000000)); do
    now=$(date +%s%N)
    sum=$(xwd -silent -id "$wid" | md5sum | cut -c1-32)
    if [[ $sum != "$last" ]]; then
        changes+=("$now $sum")
        last=$sum
    fi
    sleep 0.05
done
((${#changes[@]} >= 11)) || fail "only ${#changes[@]} different pictures in 11 s"
declare -A seen
prev= index=0
for entry in "${changes[@]}"; do
    read -r t sum <<<"$entry"
    [[ -n ${seen[$sum]:-} ]] && fail "a picture came back: a second was shown twice"
    seen[$sum]=1
    # The first picture was taken at an arbitrary moment; time the changes after it.
    if ((index++ > 1)); then
        gap=$(((t - prev) / 1000000))
        # Between two changes lies one second; two would mean a second was left out.
        ((gap > 700 && gap < 1400)) || fail "a change after $gap ms"
    fi
    prev=$t
done
# The run outlasts the tray check's wait, and trayer took the icon: no false alarm.
grep -q 'TrayIcon could not be added' "$E2E_TMP/vantor.out" && fail "tray icon reported as not added"
stop_vantor

echo "# task bar on, not on top, stored position, horizontal layout"
rm -rf "$XDG_CONFIG_HOME"
settings "$zones" 'OnTaskBar=true' 'AlwaysOnTop=false' 'VerticalLayout=false' \
    'MainWindowPosX=300' 'MainWindowPosY=220'
start_vantor
wid=$(main_window)
types=$(xprop -id "$wid" _NET_WM_WINDOW_TYPE)
[[ $types == *_NET_WM_WINDOW_TYPE_NORMAL* ]] || fail "not a normal window: $types"
state=$(xprop -id "$wid" _NET_WM_STATE)
[[ $state != *_NET_WM_STATE_ABOVE* ]] || fail "on top although switched off: $state"
read -r x y w h < <(geometry "$wid")
[[ "$x $y" == "300 220" ]] || fail "placed at ($x, $y) instead of (300, 220)"
((w > 2 * h)) || fail "horizontal layout of 4 clocks is $w x $h"
stop_vantor

echo "# absurd stored values: the window still opens and says what it ignored"
rm -rf "$XDG_CONFIG_HOME"
many=$(printf 'Etc/GMT-%d;' $(seq 0 12) | head -c -1)
list=""
for _ in $(seq 40); do list+="$many;"; done
settings "TimeZones=\"${list}Nowhere/Atlantis\"" 'TimeFontWidth=5000' "TimePattern=\"h:mm 'oops\"" \
    'MainWindowPosX=99999' 'MainWindowPosY=-99999' 'VerticalLayout=false'
start_vantor
wid=$(main_window)
read -r x y w h < <(geometry "$wid")
# A hundred huge cards fit on no screen: smaller ones in rows, the window whole on it.
((x == 50 && y >= 0 && x + w <= 1280 && y + h <= 800)) ||
    fail "off-screen position not corrected: ($x, $y) $w x $h"
grep -q "on no screen" "$E2E_TMP/vantor.out" || fail "off-screen position not logged"
grep -q "at 96 pt; they are shown at" "$E2E_TMP/vantor.out" || fail "smaller clocks not logged"
grep -q "Showing the first 100 of 521" "$E2E_TMP/vantor.out" || fail "zone limit not logged"
grep -q "font size 5000" "$E2E_TMP/vantor.out" || fail "font size not logged"
grep -q "oops" "$E2E_TMP/vantor.out" || fail "bad pattern not logged"
grep -q 'TimeFontWidth=5000' "$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf" ||
    fail "the stored font size was changed"
stop_vantor
echo "PASS"
