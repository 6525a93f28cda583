#!/usr/bin/env bash
# Dialogs on small screens, 1366x768 at QT_SCALE_FACTOR 1.5 and 640x480: Time Zones,
# Settings and About each open with their frame and every button on the screen; a
# content too tall for it scrolls and the keyboard still reaches Save and Close. Settings
# shows the stored values its lists do not hold and keeps them when only the colour
# scheme is changed.
if [[ -z ${E2E_SCREEN:-} ]]; then
    E2E_SCREEN=1366x768x24 QT_SCALE_FACTOR=1.5 bash "$0" "$@" || exit
    E2E_SCREEN=640x480x24 exec bash "$0" "$@"
fi
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility
echo "# screen $E2E_SCREEN, scale ${QT_SCALE_FACTOR:-1}"

conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
settings 'TimeZones="Asia/Kolkata;Europe/London"' TimeFontWidth=72 \
    'DatePattern="EEE d MMM yyyy"' TimePattern=HH.mm
start_vantor
main_window >/dev/null
read -r screen_w screen_h < <(xdpyinfo | awk '/dimensions:/ { split($2, d, "x"); print d[1], d[2] }')

# The window $1 with its frame lies on the screen: "x y width height" of the client
# and the frame's left, right, top and bottom from the window manager.
on_screen() {
    local x y w h l r t b
    read -r x y w h < <(geometry "$1")
    read -r l r t b < <(xprop -id "$1" _NET_FRAME_EXTENTS | sed -n 's/.*= //p' | tr -d ,)
    [[ -n $b ]] && ((x - l >= 0 && y - t >= 0 && x + w + r <= screen_w && y + h + b <= screen_h))
}

# The controls of the window titled $1 through AT-SPI, into $E2E_TMP/controls.
controls() {
    wait_for 200 atspi_extents "$1" || fail "$1 is not on the accessibility bus"
    atspi_extents "$1" >"$E2E_TMP/controls"
}
atspi_extents() { /usr/bin/python3 "$E2E_DIR/extents.py" "$VANTOR_PID" "$1"; }

# Field $3 (2 name, 3 "x y width height") of the control of role $1 named $2, or of the
# last one of that role for "".
field_of() {
    awk -F'\t' -v role="$1" -v name="$2" -v field="$3" \
        '$1 == role && (name == "" || $2 == name) { found = $field } END { print found }' \
        "$E2E_TMP/controls"
}

# Box "$1" lies inside box "$2" (x y width height each).
inside() {
    local x y w h X Y W H
    read -r x y w h <<<"$1"
    read -r X Y W H <<<"$2"
    ((w > 0 && h > 0 && x >= X && y >= Y && x + w <= X + W && y + h <= Y + H))
}

# Opens the menu entry $1 (1 Time Zones, 2 Settings, 3 About), waits for the dialog $2 to
# lie on the screen with its frame, and checks that each of its $3 push buttons lies in it.
open_and_check() {
    local title=$2 window buttons
    menu_entry "$1"
    dialog=$(window_titled "$title")
    wait_for 200 on_screen "$dialog" ||
        fail "$title is not all on the $E2E_SCREEN screen: $(geometry "$dialog"), frame" \
            "$(xprop -id "$dialog" _NET_FRAME_EXTENTS)"
    echo "# $title: $(geometry "$dialog" | awk '{ print $3 "x" $4 " at " $1 "," $2 }')"
    controls "$title"
    window=$(head -1 "$E2E_TMP/controls" | cut -f3)
    buttons=0
    while IFS=$'\t' read -r _ name box; do
        inside "$box" "$window" || fail "$title: the button $name ($box) is not in the window ($window)"
        buttons=$((buttons + 1))
    done < <(grep "^push button" "$E2E_TMP/controls")
    ((buttons == $3)) || fail "$title: $buttons push buttons, not $3: $(cat "$E2E_TMP/controls")"
    wait_for 100 window_is_active "$dialog" || fail "$title did not get the focus"
}
closed() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$"; }

echo "# Time Zones"
open_and_check 1 "Time Zone Configuration" 6
xdotool key Escape
wait_for 100 closed "Time Zone Configuration" || fail "Escape did not close Time Zones"

echo "# About: Close pressed with the keyboard"
open_and_check 3 About 1
xdotool key space
wait_for 100 closed About || fail "Space on Close did not close the About box"

echo "# Settings: values from outside the lists, only the dark scheme changed"
open_and_check 2 Settings 2
for value in "EEE d MMM yyyy" HH.mm 72; do
    [[ -n $(field_of "combo box" "$value" 3) ]] || fail "Settings does not show $value: $(cat "$E2E_TMP/controls")"
done
# The dark scheme's box, the fifth drop-down from the end (the working hours' three and
# the login start's follow it): field $1 of it.
dark_box() {
    awk -F'\t' -v field="$1" '$1 == "combo box" { f[++n] = $field } END { print f[n - 4] }' \
        "$E2E_TMP/controls"
}
# From the first control back past Cancel, Save, the login start's box and the working
# hours' three.
xdotool key --delay 60 shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab shift+Tab
# Focused, it has scrolled into view, above the buttons.
dark_in_view() {
    controls Settings
    local window save x y w h
    window=$(head -1 "$E2E_TMP/controls" | cut -f3)
    read -r _ save _ _ <<<"$(field_of "push button" Save 3)"
    read -r x y w h <<<"$(dark_box 3)"
    inside "$x $y $w $h" "$window" && ((y + h <= save))
}
wait_for 100 dark_in_view || fail "the dark scheme's box is not in view: $(cat "$E2E_TMP/controls")"
xdotool key Up
dark_chosen() { controls Settings && [[ $(dark_box 2) == Yes ]]; }
wait_for 100 dark_chosen || fail "Up did not choose the dark scheme: $(cat "$E2E_TMP/controls")"
import -window root "$E2E_TMP/settings.png"
xdotool key --delay 60 Tab Tab Tab Tab Tab space
wait_for 100 closed Settings || fail "Save did not close Settings"
wait_for 100 grep -qxF DarkMode=true "$conf" || fail "the dark scheme was not stored: $(cat "$conf")"
grep -qxF TimeFontWidth=72 "$conf" || fail "TimeFontWidth changed: $(cat "$conf")"
grep -Eq '^DatePattern="?EEE d MMM yyyy"?$' "$conf" || fail "DatePattern changed: $(cat "$conf")"
grep -qxF TimePattern=HH.mm "$conf" || fail "TimePattern changed: $(cat "$conf")"
[[ -n ${E2E_KEEP:-} ]] && echo "screenshot of Settings: $E2E_TMP/settings.png"
echo "PASS"
