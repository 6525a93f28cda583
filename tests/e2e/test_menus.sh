#!/usr/bin/env bash
# Menu, dialog, Save, menu again, ten times over, from the keyboard as a person works:
# each round adds Tokyo in Time Zones and answers the save question on Escape with Yes,
# saves a changed date pattern in Settings, and resets the view. Every Save rebuilds the
# window while the menu that opened the dialog is still on the call stack; the program
# must survive all of it (the sanitizer build runs this too) and store every change.
source "$(dirname "$0")/lib.sh"
start_desktop

conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
settings 'TimeZones="Europe/London;America/New_York"' 'DatePattern=yyyy-MM-dd'
LANG=en_US.UTF-8 LC_ALL= start_vantor
wid=$(main_window)

# Waits until the window $1 has the keyboard, asking for it where openbox did not give it.
focus() {
    wait_for 20 window_is_active "$1" || xdotool windowactivate "$1" 2>/dev/null || true
    wait_for 50 window_is_active "$1" || fail "window $1 did not get the focus"
}
gone() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "^$1\$" >/dev/null 2>&1; }
alive() { kill -0 "$VANTOR_PID" 2>/dev/null || fail "the program died in round $round"; }
stored() { grep "^$1=" "$conf" | cut -d= -f2- | tr -d '"'; }

for round in $(seq 10); do
    echo "# round $round"
    menu_entry 1
    dialog=$(window_titled "Time Zone Configuration")
    focus "$dialog"
    # From the list, Tab reaches Add.
    xdotool key Tab space
    chooser=$(window_titled "Select Time Zone")
    focus "$chooser"
    xdotool type --delay 40 tokyo
    xdotool key Return Return
    wait_for 100 gone "Select Time Zone" || fail "the chooser did not close"
    focus "$dialog"
    xdotool key Escape
    question=$(window_titled "Warning")
    focus "$question"
    xdotool key Return
    wait_for 100 gone "Time Zone Configuration" || fail "Yes did not close Time Zones"
    alive
    [[ $(stored TimeZones | tr ';' '\n' | grep -c '^Asia/Tokyo$') == "$round" ]] ||
        fail "round $round: TimeZones=$(stored TimeZones)"

    menu_entry 2
    dialog=$(window_titled "Settings")
    focus "$dialog"
    # The date pattern is the first list, back at its default after each Reset View;
    # Save is the second widget back from it.
    xdotool key Down shift+Tab shift+Tab space
    wait_for 100 gone "Settings" || fail "Save did not close Settings"
    alive
    [[ $(stored DatePattern) == yy-MM-dd ]] ||
        fail "round $round: DatePattern=$(stored DatePattern)"

    menu_entry 4
    wait_for 100 bash -c "! grep -q '^DatePattern=' '$conf'" || fail "Reset View kept the date pattern"
    alive
done
menu_entry 5
expect_clean_exit "Exit after ten rounds"
echo "PASS"
