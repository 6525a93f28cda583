#!/usr/bin/env bash
# A clock by its own name, from the keyboard: in Time Zones, the second row, F2, "Alice",
# Return and Save name the Berlin clock; its caption reads Alice, a screen reader names it
# "Alice, Berlin: ...", its tooltip starts "Alice — Berlin, Germany" and Ctrl+C copies
# "Alice (Berlin): ...". The name survives a restart, moves with its zone on Move Up and
# goes with it on Delete. A file whose zones were cut by hand starts with the cities, says
# once that the names were ignored, and keeps them.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
settings 'TimeZones="Europe/London;Europe/Berlin;Asia/Tokyo"'
LANG=en_US.UTF-8 LC_ALL= start_vantor
main_window >/dev/null

gone() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$" >/dev/null 2>&1; }
rows() { form controls | sed -n 's/^list item\t\([^\t]*\)\t.*/\1/p' | paste -sd';'; }
rows_are() { [[ $(rows) == "$1" ]]; }
focused_is() { [[ $(form focused) == "$1" ]]; }
stored() { sed -n "s/^$1=\"\{0,1\}\([^\"]*\)\"\{0,1\}\$/\1/p" "$conf"; }
stored_are() { [[ $(stored TimeZones)/$(stored TimeZoneLabels) == "$1/$2" ]]; }
# The captions of the clocks, and the names a screen reader gives the clocks.
captions() { atspi labels "$VANTOR_PID" | sed -n 's/^label\t\([^0-9+-][^:]*\)$/\1/p' | grep -v '^UTC' | paste -sd';'; }
captions_are() { [[ $(captions) == "$1" ]]; }
clock_named() { atspi tree "$VANTOR_PID" | sed 's/^ *//' | grep -q "^panel"$'\t'"$1"; }

open_zones() {
    menu_entry 1
    window_titled "Time Zone Configuration" >/dev/null
    wait_for 100 focused_is "list"$'\t'"Time Zone Configuration" ||
        fail "the list has not the focus: $(form focused)"
}
save_and_close() {
    press Save
    wait_for 300 stored_are "$1" "$2" || fail "stored: $(stored TimeZones) / $(stored TimeZoneLabels)"
    press Close
    wait_for 300 gone "Time Zone Configuration" || fail "Close left the dialog open"
}
london="(UTC+00:00) Europe/London" berlin="(UTC+01:00) Europe/Berlin" tokyo="(UTC+09:00) Asia/Tokyo"
alice="$berlin · Alice"

echo "# Second row, F2, Alice, Return: the row carries the name, the field is read by its name"
open_zones
xdotool key Down
/usr/bin/python3 "$E2E_DIR/form.py" focus "$VANTOR_PID" >"$E2E_TMP/focus.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 grep -qx ready "$E2E_TMP/focus.log" || fail "no focus events: $(cat "$E2E_TMP/focus.log")"
xdotool key F2
wait_for 100 grep -q "^text"$'\t'"Clock name"$'\t' "$E2E_TMP/focus.log" ||
    fail "F2 gave the focus to: $(cat "$E2E_TMP/focus.log")"
xdotool type --delay 60 Alice
xdotool key Return
wait_for 300 rows_are "$london;$alice;$tokyo" || fail "rows after naming: $(rows)"

echo "# Save: the caption reads Alice, the clock is read with its city"
save_and_close "Europe/London;Europe/Berlin;Asia/Tokyo" ";Alice;"
wait_for 300 captions_are "London;Alice;Tokyo" || fail "captions: $(captions)"
wait_for 100 clock_named "Alice, Berlin: " || fail "clocks read: $(atspi tree "$VANTOR_PID" | grep panel)"
tip_named() { atspi described "$VANTOR_PID" | grep -q "^label"$'\t'"Alice"$'\t'"Alice — Berlin, Germany | "; }
wait_for 100 tip_named || fail "the caption's tooltip: $(atspi described "$VANTOR_PID" | grep -m1 Alice)"
wid=$(main_window)
xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
wait_for 50 window_is_active "$wid" || fail "the main window did not get the focus"
xdotool key ctrl+c
copied_named() { xclip -o -selection clipboard 2>/dev/null | grep -q '^Alice (Berlin): '; }
wait_for 30 copied_named || fail "copied: $(xclip -o -selection clipboard 2>/dev/null)"

echo "# Restart: still Alice"
stop_vantor
LANG=en_US.UTF-8 LC_ALL= start_vantor
main_window >/dev/null
wait_for 300 captions_are "London;Alice;Tokyo" || fail "captions after a restart: $(captions)"

echo "# Move Up: the name goes with Berlin"
open_zones
xdotool key Down
press "Move Up"
wait_for 300 rows_are "$alice;$london;$tokyo" || fail "rows after Move Up: $(rows)"
save_and_close "Europe/Berlin;Europe/London;Asia/Tokyo" "Alice;;"
wait_for 300 captions_are "Alice;London;Tokyo" || fail "captions after Move Up: $(captions)"

echo "# Delete: the name goes with its zone"
open_zones
press Delete
window_titled Delete >/dev/null
# Yes is the question's default button.
xdotool key Return
wait_for 300 gone Delete || fail "Return did not close the question"
wait_for 300 rows_are "$london;$tokyo" || fail "rows after Delete: $(rows)"
save_and_close "Europe/London;Asia/Tokyo" ""
wait_for 300 captions_are "London;Tokyo" || fail "captions after Delete: $(captions)"
grep -q '^TimeZoneLabels' "$conf" && fail "a name is stored without a named clock"

echo "# A zone cut by hand: cities, one line, and the names kept"
stop_vantor
cat >"$conf" <<'EOF'
[General]
TimeZones="Europe/London;Asia/Tokyo"
TimeZoneLabels="Alice;Bob;Carol"
EOF
LANG=en_US.UTF-8 LC_ALL= start_vantor
main_window >/dev/null
wait_for 300 captions_are "London;Tokyo" || fail "captions of a cut list: $(captions)"
open_zones
rows_are "$london;$tokyo" || fail "rows of a cut list: $(rows)"
xdotool key Escape
wait_for 300 gone "Time Zone Configuration" || fail "Escape left the dialog open"
[[ $(grep -c 'TimeZoneLabels' "$E2E_TMP/vantor.out") == 1 ]] ||
    fail "not one line on the ignored names: $(cat "$E2E_TMP/vantor.out")"
stored_are "Europe/London;Asia/Tokyo" "Alice;Bob;Carol" || fail "the names were not kept: $(cat "$conf")"
kill -0 "$VANTOR_PID" || fail "the program ended"
echo "PASS"
