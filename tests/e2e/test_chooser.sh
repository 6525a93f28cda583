#!/usr/bin/env bash
# Adding zones as a person does, in English and in German: in Time Zones, Add, type part of
# a name, go Down to a suggestion and press Return, or click one with the mouse, and OK
# adds that very zone, also where the text matches several; Save stores the list. With an
# unsaved change, Close asks: Escape keeps the dialog and the change, Yes saves and closes.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf

# The dialogs' widgets over AT-SPI, within the window titled $2:
#   rows PID TITLE          the names of the list's rows
#   field PID TITLE         the text of the editable drop-down (the chooser's field)
#   buttons PID TITLE       the names of the push buttons
#   center PID TITLE NAME   "x y" of the middle of the push button NAME
# Exits 1 when the window or the button is not there.
cat >"$E2E_TMP/ui.py" <<'EOF'
import sys

import pyatspi
# Past a drop-down, whose own list holds every zone: reading it all would take seconds.
from atspi import shown_text
from form import walk


def window(pid, title):
    for app in pyatspi.Registry.getDesktop(0):
        if app is not None and app.get_process_id() == pid:
            for top in app:
                if top is not None and top.name == title:
                    return top
    sys.exit(1)


command, pid, title = sys.argv[1], int(sys.argv[2]), sys.argv[3]
nodes = [n for n in walk(window(pid, title))]
if command == "rows":
    print("\n".join(n.name for n in nodes if n.getRole() == pyatspi.ROLE_LIST_ITEM))
elif command == "field":
    boxes = [n for n in nodes if n.getRole() == pyatspi.ROLE_COMBO_BOX]
    if not boxes:
        sys.exit(1)
    print(shown_text(boxes[0]))
elif command == "buttons":
    print("\n".join(n.name for n in nodes if n.getRole() == pyatspi.ROLE_PUSH_BUTTON))
elif command == "center":
    for n in nodes:
        if n.getRole() == pyatspi.ROLE_PUSH_BUTTON and n.name == sys.argv[4]:
            x, y, w, h = n.queryComponent().getExtents(pyatspi.DESKTOP_COORDS)
            print(x + w // 2, y + h // 2)
            sys.exit(0)
    sys.exit(1)
EOF
ui() {
    local command=$1
    shift
    PYTHONPATH=$E2E_DIR /usr/bin/python3 "$E2E_TMP/ui.py" "$command" "$VANTOR_PID" "$@" 2>/dev/null
}

# The first and last rows (from the top) in which two window pictures (xwd files) differ.
cat >"$E2E_TMP/band.py" <<'EOF'
import struct
import sys


def rows(path):
    data = open(path, "rb").read()
    fields = struct.unpack(">25I", data[:100])
    header, height, bytes_per_line, colours = fields[0], fields[5], fields[12], fields[19]
    start = header + colours * 12
    return [data[start + y * bytes_per_line:start + (y + 1) * bytes_per_line] for y in range(height)]


before, after = rows(sys.argv[1]), rows(sys.argv[2])
changed = [y for y, (a, b) in enumerate(zip(before, after)) if a != b]
if not changed:
    sys.exit(1)
print(changed[0], changed[-1])
EOF

is_active() { [[ $(xdotool getactivewindow 2>/dev/null) == "$1" ]]; }
# xdotool matches the window's name as the toolkit encodes it, "ä" perhaps as Latin-1: a
# title's non-ASCII letters match any text.
# shellcheck disable=SC2001
title_pattern() { echo "^$(LC_ALL=C sed 's/[^ -~][^ -~]*/.*/g' <<<"$1")\$"; }
# The id of the program's visible window titled $1 once it is there and has the focus.
window_titled() {
    local id
    wait_for 300 xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "$(title_pattern "$1")" ||
        fail "no window $1"
    id=$(xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "$(title_pattern "$1")" | head -1)
    # openbox activates a new window by itself; asking again only when it has not.
    wait_for 30 is_active "$id" || xdotool windowactivate "$id" 2>/dev/null || true
    wait_for 100 is_active "$id" || fail "the window $1 ($id) did not get the focus"
    echo "$id"
}
gone() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name "$(title_pattern "$1")" >/dev/null 2>&1; }
click_button() {
    local x y
    wait_for 300 ui center "$1" "$2" || fail "no button $2 in $1"
    read -r x y < <(ui center "$1" "$2")
    xdotool mousemove "$x" "$y" click 1
}
has_row() { ui rows "$1" | grep -qxF "$2"; }
# $2 is a pattern: German country names are ICU's to choose.
# shellcheck disable=SC2053
field_is() { [[ $(ui field "$1") == $2 ]]; }
field_is_not() { [[ $(ui field "$1") != "$2" ]]; }
stored_zones() { sed -n 's/^TimeZones="\{0,1\}\([^"]*\)"\{0,1\}$/\1/p' "$conf"; }
stored_is() { [[ $(stored_zones) == "$1" ]]; }

# Presses Down in the open suggestions until the field shows a text matching the pattern
# $1; prints how many presses that took.
down_to() {
    local shown presses
    shown=$(ui field "$chooser")
    for ((presses = 1; presses <= 30; presses++)); do
        xdotool key Down
        wait_for 300 field_is_not "$chooser" "$shown" || fail "Down did not move in the suggestions"
        shown=$(ui field "$chooser")
        # shellcheck disable=SC2053
        if [[ $shown == $1 ]]; then
            echo "$presses"
            return 0
        fi
    done
    fail "no suggestion $1 (last shown: $shown)"
}

# Opens the chooser from the dialog's Add button and types $1 into it.
add_and_type() {
    click_button "$dialog_title" "$add"
    chooser_id=$(window_titled "$chooser")
    xdotool type --delay 80 "$1"
    wait_for 300 field_is "$chooser" "$1" || fail "typed '$1', the field shows '$(ui field "$chooser")'"
}

# Adds the zone of the suggestion matching $2 after typing $1, with Down and Return, and
# Return once more for OK; the list must then end with the row $3.
add_by_keys() {
    add_and_type "$1"
    down_to "$2" >/dev/null
    xdotool key Return
    # The pick fills the field and leaves the box open.
    wait_for 100 field_is "$chooser" "$2" || fail "after Return the field shows '$(ui field "$chooser")'"
    xdotool key Return
    wait_for 300 gone "$chooser" || fail "Return did not close the chooser"
    wait_for 300 has_row "$dialog_title" "$3" || fail "no row $3 after picking $2: $(ui rows "$dialog_title")"
}

run() {
    local locale=$1 tokyo_typed=$2 tokyo=$3 new_york=$4 paris=$5
    echo "# $locale"
    rm -rf "$XDG_CONFIG_HOME"
    settings 'TimeZones="Europe/London"'
    LANG=$locale LC_ALL='' LANGUAGE='' start_vantor
    local wid x y w h
    wid=$(main_window)
    read -r x y w h < <(geometry "$wid")
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click 3
    wait_for 100 bash -c "[[ -n \$(xdotool search --onlyvisible --pid $VANTOR_PID | grep -vx $wid) ]]" ||
        fail "no menu after a right click"
    xdotool key Down Return
    dialog=$(window_titled "$dialog_title")
    wait_for 300 has_row "$dialog_title" "(UTC+00:00) Europe/London" || fail "the list does not show London"

    echo "# Down to a suggestion of several, Return, OK"
    add_by_keys "$tokyo_typed" "$tokyo" "(UTC+09:00) Asia/Tokyo"

    echo "# a click on a suggestion of several, OK"
    add_and_type new
    local popup presses top bottom px py pw
    wait_for 300 bash -c "[[ -n \$(xdotool search --onlyvisible --pid $VANTOR_PID | grep -vx -e $wid -e $dialog -e $chooser_id) ]]" ||
        fail "no suggestions shown for 'new'"
    popup=$(xdotool search --onlyvisible --pid "$VANTOR_PID" | grep -vx -e "$wid" -e "$dialog" -e "$chooser_id" | head -1)
    # Where the suggestion is: the rows that change when Down moves onto it.
    xdotool mousemove 0 0
    xwd -silent -id "$popup" >"$E2E_TMP/before.xwd"
    presses=$(down_to "$new_york")
    xwd -silent -id "$popup" >"$E2E_TMP/after.xwd"
    read -r top bottom < <(/usr/bin/python3 "$E2E_TMP/band.py" "$E2E_TMP/before.xwd" "$E2E_TMP/after.xwd") ||
        fail "the highlighted suggestion cannot be told apart"
    # Up as often moves back to the typed text: nothing is picked any more.
    for ((i = 0; i < presses; i++)); do xdotool key Up; done
    wait_for 300 field_is "$chooser" new || fail "Up did not go back to 'new': $(ui field "$chooser")"
    read -r px py pw _ < <(geometry "$popup")
    xdotool mousemove $((px + pw / 2)) $((py + (top + bottom) / 2)) click 1
    wait_for 300 field_is "$chooser" "$new_york" || fail "the click left '$(ui field "$chooser")' in the field"
    click_button "$chooser" "$ok"
    wait_for 300 gone "$chooser" || fail "OK did not close the chooser"
    wait_for 300 has_row "$dialog_title" "(UTC-05:00) America/New_York" ||
        fail "no row New York after clicking it: $(ui rows "$dialog_title")"

    echo "# Save stores the zones"
    click_button "$dialog_title" "$save"
    wait_for 300 stored_is "Europe/London;Asia/Tokyo;America/New_York" || fail "stored: $(stored_zones)"

    echo "# Close with an unsaved change, Escape on the question: open, change kept"
    add_by_keys paris "$paris" "(UTC+01:00) Europe/Paris"
    click_button "$dialog_title" "$close"
    window_titled "$warning" >/dev/null
    [[ $(ui buttons "$warning" | sort | paste -sd' ') == "$buttons" ]] ||
        fail "the question offers: $(ui buttons "$warning" | paste -sd' ')"
    xdotool key Escape
    wait_for 300 gone "$warning" || fail "Escape did not close the question"
    gone "$dialog_title" && fail "Escape on the question closed the dialog"
    has_row "$dialog_title" "(UTC+01:00) Europe/Paris" || fail "Escape on the question lost the change"
    stored_is "Europe/London;Asia/Tokyo;America/New_York" || fail "Escape stored: $(stored_zones)"

    echo "# Close again, Yes: saved and closed"
    click_button "$dialog_title" "$close"
    window_titled "$warning" >/dev/null
    click_button "$warning" "$yes"
    wait_for 300 gone "$dialog_title" || fail "Yes left the dialog open"
    wait_for 300 stored_is "Europe/London;Asia/Tokyo;America/New_York;Europe/Paris" ||
        fail "Yes stored: $(stored_zones)"
    stop_vantor
}

dialog_title="Time Zone Configuration" chooser="Select Time Zone" warning=Warning
add=Add save=Save close=Close ok=OK yes=Yes buttons="Cancel No Yes"
run en_US.UTF-8 tok "Tokyo · Japan · UTC+09:00" "New York · United States · UTC-05:00" \
    "Paris · France · UTC+01:00"

dialog_title="Zeitzonen konfigurieren" chooser="Zeitzone auswählen" warning=Warnung
add=Hinzufügen save=Speichern close=Schließen ok=OK yes=Ja buttons="Abbrechen Ja Nein"
run de_DE.UTF-8 tokio "Tokio · Japan · UTC+09:00" "New York · * · UTC-05:00" "Paris · * · UTC+01:00"
echo "PASS"
