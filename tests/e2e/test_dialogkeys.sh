#!/usr/bin/env bash
# The dialogs from the keyboard, and as a screen reader reads them. In Time Zones, Tab to a
# button and Return presses it: Add opens the chooser, where "tok", Down and Return take
# Tokyo, the first suggestion, and a second Return adds it; Move Up, Move Down, Delete,
# Save and Close answer Return as well, and so do the chooser's Cancel, Settings' Cancel
# and the About box's Close. Over AT-SPI the zone list carries the dialog's title as its
# name, the chooser's field and every drop-down of Settings are labelled by the label
# beside them, and the first suggestion tells how many there are.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
settings 'TimeZones="Europe/London;America/New_York"'
LANG=en_US.UTF-8 LC_ALL= start_vantor
main_window >/dev/null

# A line "role<TAB>name<TAB>labels" of form.py's controls; $1 is a pattern.
has_control() { form controls | grep -x -- "$1" >/dev/null; }
expect_control() {
    wait_for 100 has_control "$1" || fail "no control '$1' in: $(form controls | grep -v -e '^label' -e '^filler')"
}
gone() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$" >/dev/null 2>&1; }
rows() { form controls | sed -n 's/^list item\t\([^\t]*\)\t.*/\1/p' | paste -sd';'; }
rows_are() { [[ $(rows) == "$1" ]]; }
stored_zones() { sed -n 's/^TimeZones="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$conf"; }
stored_is() { [[ $(stored_zones) == "$1" ]]; }
field_is() { has_control "combo box"$'\t'"$1"$'\t'".*"; }

echo "# Time Zones: the list is named by the dialog's title"
menu_entry 1
window_titled "Time Zone Configuration" >/dev/null
expect_control $'list\tTime Zone Configuration\t'
wait_for 100 rows_are "(UTC+00:00) Europe/London;(UTC-05:00) America/New_York" || fail "rows: $(rows)"

echo "# Return on Add opens the chooser; its field is labelled"
press Add
window_titled "Select Time Zone" >/dev/null
expect_control $'combo box\t.*\tTime Zone: *'

echo "# tok: Tokyo comes first, and says how many suggestions there are"
/usr/bin/python3 "$E2E_DIR/form.py" focus "$VANTOR_PID" >"$E2E_TMP/focus.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 grep -qx ready "$E2E_TMP/focus.log" || fail "no focus events: $(cat "$E2E_TMP/focus.log")"
xdotool type --delay 80 tok
wait_for 300 field_is tok || fail "typed 'tok', the field shows: $(form controls | grep '^combo box')"
xdotool key Down
tokyo_suggestion="Tokyo · Japan · UTC+09:00"
wait_for 300 field_is "$tokyo_suggestion" ||
    fail "the first suggestion is not Tokyo: $(form controls | grep '^combo box')"
# The suggestion takes the focus, with the count as its description, in the list named by
# the count.
wait_for 100 grep -qxF "list item"$'\t'"$tokyo_suggestion"$'\t'"4 suggestions"$'\t'list$'\t'"4 suggestions" \
    "$E2E_TMP/focus.log" ||
    fail "the focus went to: $(cat "$E2E_TMP/focus.log")"
xdotool key Return
wait_for 100 field_is "$tokyo_suggestion" || fail "Return left: $(form controls | grep '^combo box')"
xdotool key Return
wait_for 300 gone "Select Time Zone" || fail "Return did not close the chooser"
london="(UTC+00:00) Europe/London" new_york="(UTC-05:00) America/New_York" tokyo="(UTC+09:00) Asia/Tokyo"
wait_for 300 rows_are "$london;$new_york;$tokyo" || fail "rows after adding Tokyo: $(rows)"

echo "# Return on Move Up, Move Down, Delete"
press "Move Up"
wait_for 300 rows_are "$london;$tokyo;$new_york" || fail "rows after Move Up: $(rows)"
press "Move Down"
wait_for 300 rows_are "$london;$new_york;$tokyo" || fail "rows after Move Down: $(rows)"
press Delete
window_titled Delete >/dev/null
xdotool key Escape
wait_for 300 gone Delete || fail "Escape did not close the question"

echo "# Return on the chooser's Cancel adds nothing"
press Add
window_titled "Select Time Zone" >/dev/null
press Cancel
wait_for 300 gone "Select Time Zone" || fail "Return on Cancel did not close the chooser"
rows_are "$london;$new_york;$tokyo" || fail "rows after Cancel: $(rows)"

echo "# Return on Save stores, on Close closes"
press Save
wait_for 300 stored_is "Europe/London;America/New_York;Asia/Tokyo" || fail "stored after Save: $(stored_zones)"
press Close
wait_for 300 gone "Time Zone Configuration" || fail "Return on Close left the dialog open"

echo "# Settings: every drop-down is labelled; Return on Cancel closes"
menu_entry 2
window_titled Settings >/dev/null
for label in "Date Format: *" "Time Format: *" "Font size for Time:" "Make application visible on Taskbar?" \
    "Application is always on top?" "Use dark mode?" "Working hours:" "Show working hours?" \
    "Start when I log in?"; do
    expect_control "combo box"$'\t'".*"$'\t'"$label"
done
press Cancel
wait_for 300 gone Settings || fail "Return on Cancel left Settings open"

echo "# About: Return on Close closes"
menu_entry 3
window_titled About >/dev/null
press Close
wait_for 300 gone About || fail "Return on Close left the About box open"
kill -0 "$VANTOR_PID" || fail "the program ended"
echo "PASS"
