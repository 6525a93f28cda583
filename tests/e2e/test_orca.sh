#!/usr/bin/env bash
# What a blind user hears: the screen reader Orca runs on the private desktop with its own
# session and accessibility buses, and the test reads what it speaks from its debug log
# (its "SPEECH OUTPUT:" lines). A speech server that says nothing stands in for the sound
# card. Focused clocks, a wheel notch, the menu's entries and the Settings dialog's
# combo boxes (their labels and values) must all be spoken with what they are.
source "$(dirname "$0")/lib.sh"
command -v orca >/dev/null || fail "orca is not installed (make deps-test installs it)"
start_desktop
start_accessibility

orca_dir=$E2E_TMP/orca
mkdir -p "$orca_dir"
cat >"$orca_dir/user-settings.conf" <<'JSON'
{"general": {"speechServerFactory": "silent_speech", "enableBraille": false,
             "startingProfile": ["Default", "default"]},
 "profiles": {"default": {"profile": ["Default", "default"],
                          "speechServerFactory": "silent_speech", "enableBraille": false}},
 "pronunciations": {}, "keybindings": {}}
JSON
speech=$E2E_TMP/orca.log
PYTHONPATH=$E2E_DIR orca -u "$orca_dir" --debug-file "$speech" >"$E2E_TMP/orca.out" 2>&1 &
E2E_PIDS+=($!)
wait_for 600 grep -q "SPEECH OUTPUT: 'Screen reader on" "$speech" ||
    fail "Orca did not start: $(tail -5 "$E2E_TMP/orca.out")"

# What Orca spoke after line $1 of its log, one utterance a line, the narrow spaces of
# times ("10:43 AM") as plain ones.
said_since() {
    tail -n +"$(($1 + 1))" "$speech" |
        sed -n "s/^.* - SPEECH OUTPUT: '\(.*\)' *{.*$/\1/p" | sed 's/\xe2\x80\xaf/ /g'
}
mark() { wc -l <"$speech"; }
# Waits until Orca has said something matching the extended regular expression $2 since
# the mark $1.
said_matches() { said_since "$1" | grep -qE "^$2"; }
expect_said() {
    wait_for 150 said_matches "$1" "$2" ||
        fail "Orca did not say /$2/; it said: $(said_since "$1" | tail -8 | paste -sd'|')"
}

# 10:43 in London on a Wednesday: 5:43 in New York, 19:43 in Tokyo. The clock runs on from
# there, so the minutes are matched loosely.
fake_time_at "$E2E_TMP/faketime" "2026-12-09 10:43:00"
settings 'TimeZones="Europe/London;America/New_York;Asia/Tokyo"'
echo "# the focused clock is spoken with its city, time, offset and date"
at=$(mark)
LANG=en_US.UTF-8 LC_ALL= start_vantor_faked "$E2E_TMP/faketime"
wid=$(main_window)
xdotool windowactivate "$wid" 2>/dev/null || xdotool windowfocus "$wid"
wait_for 50 window_is_active "$wid" || fail "the window did not get the focus"
expect_said "$at" "London: Wednesday, December 9 10:4[3-9] AM, UTC\+00:00"
at=$(mark)
xdotool key Tab
expect_said "$at" "New York: Wednesday, December 9 5:4[3-9] AM, UTC-05:00"
at=$(mark)
xdotool key Tab
expect_said "$at" "Tokyo: Wednesday, December 9 7:4[3-9] PM, UTC\+09:00"
at=$(mark)
xdotool key shift+Tab
expect_said "$at" "New York: "

echo "# a wheel notch and Escape are spoken on the focused clock"
read -r x y w h < <(geometry "$wid")
at=$(mark)
xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 4
expect_said "$at" "New York: Wednesday, December 9 (5:[45]|6:0)[0-9] AM, UTC-05:00, (night, )?15 minutes ahead$"
at=$(mark)
xdotool key Escape
expect_said "$at" "New York: Wednesday, December 9 5:4[3-9] AM, UTC-05:00(, night)?$"

echo "# the keyboard menu opens on its first entry, and every entry is spoken"
at=$(mark)
xdotool key shift+F10
expect_said "$at" "Time Zones\."
for entry in Settings About "Reset View" Exit; do
    at=$(mark)
    xdotool key Down
    expect_said "$at" "$entry\."
done

echo "# Settings' combo boxes are spoken with their labels"
at=$(mark)
xdotool key Up Up Up
expect_said "$at" "Settings\."
at=$(mark)
xdotool key Return
dialog=$(window_titled Settings)
expect_said "$at" "Settings dialog"
# One key at a time: each one waits for the screen reader to take it, once around the
# dialog.
first=$(mark)
labels=("Date Format" "Time Format" "Font size for Time" "Application is always on top\?"
    "Working hours" "End of working hours" "Show working hours\?" "Start when I log in\?")
all_said() {
    local label
    for label in "${labels[@]}"; do said_matches "$first" "$label.* combo box" || return 1; done
}
for _ in $(seq 20); do
    all_said && break
    at=$(mark)
    xdotool key Tab
    # The next control's own announcement, not a late line of the last one's.
    expect_said "$at" ".*(combo box|push button|radio button|panel|text)\.$"
done
for label in "${labels[@]}"; do
    expect_said "$first" "$label.* combo box"
done
# And with what each one holds.
said_since "$first" | grep -A1 "^Font size for Time" | grep -qx "18\." ||
    fail "the font size's value is not spoken: $(said_since "$first" | paste -sd'|')"
said_since "$first" | grep -A1 "^Use dark mode" | grep -qx "No\." ||
    fail "the dark mode's value is not spoken: $(said_since "$first" | paste -sd'|')"
xdotool key Escape
wait_for 100 only_main_window "$wid" || fail "Settings did not close on Escape"

echo "# with the screen reader listening: a zone picked in the chooser, then Save in Settings"
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
gone() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$" >/dev/null 2>&1; }
focus() {
    wait_for 20 window_is_active "$1" || xdotool windowactivate "$1" 2>/dev/null || true
    wait_for 50 window_is_active "$1" || fail "window $1 did not get the focus"
}
for round in 1 2; do
    menu_entry 1
    focus "$(window_titled "Time Zone Configuration")"
    # Return on the focused Add opens the chooser.
    xdotool key Tab Return
    focus "$(window_titled "Select Time Zone")"
    xdotool type --delay 120 tokyo
    xdotool key --delay 200 Return Return
    wait_for 100 gone "Select Time Zone" || fail "the chooser did not close"
    xdotool key Escape
    focus "$(window_titled Warning)"
    xdotool key Return
    wait_for 100 gone "Time Zone Configuration" || fail "Yes did not close Time Zones"
    menu_entry 2
    focus "$(window_titled Settings)"
    # From the date pattern, Save is two back; Return presses it.
    xdotool key --delay 200 Down shift+Tab shift+Tab Return
    wait_for 100 gone Settings || fail "Save did not close Settings"
    kill -0 "$VANTOR_PID" 2>/dev/null || fail "the program died in round $round"
done
[[ $(grep -o "Asia/Tokyo" "$conf" | wc -l) == 3 ]] || fail "Tokyo not added twice more: $(grep TimeZones "$conf")"
