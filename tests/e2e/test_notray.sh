#!/usr/bin/env bash
# A desktop without a tray: one line on standard output, one error box, then the window.
export E2E_NO_TRAY=1
source "$(dirname "$0")/lib.sh"
start_desktop

settings 'TimeZones="Asia/Tokyo"'
start_vantor
box_shown() { xdotool search --onlyvisible --pid "$VANTOR_PID" --name '^Error$'; }
wait_for 100 box_shown || fail "no error box"
grep -q '^SystemTray is not supported$' "$E2E_TMP/vantor.out" || fail "no line on standard output"
# The window comes only after the box is answered.
for id in $(xdotool search --onlyvisible --pid "$VANTOR_PID" 2>/dev/null); do
    [[ $(xdotool getwindowname "$id") == Vantor ]] &&
        fail "the window appeared before the box was answered: $(geometry "$id")"
done
box=$(box_shown | head -1)
xdotool windowactivate --sync "$box" 2>/dev/null || true
xdotool key Return
main_window >/dev/null
((  $(grep -c 'SystemTray is not supported' "$E2E_TMP/vantor.out") == 1 )) || fail "line written twice"
echo "PASS"
