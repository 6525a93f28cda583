#!/usr/bin/env bash
# Start at login. Settings' last row, "Start when I log in?", shows whether the autostart
# entry is there; Yes writes it on Save (not before), No removes it. The entry passes
# desktop-file-validate and a desktop's launcher (gio launch) starts the very program from
# it: a build in a folder whose name needs every kind of Exec quoting, and an installed
# program (first on the PATH, its desktop entry in the data folders) by its name, with that
# entry's name and icon. An entry removed by hand reads No, one edited by hand survives a
# Save with Yes, an entry that cannot be written is logged once and reads No. The settings
# file never holds the choice. Afterwards the program rests at idle cost.
source "$(dirname "$0")/lib.sh"
start_desktop
start_accessibility

entry=$XDG_CONFIG_HOME/autostart/com.quorvane.Vantor.desktop
conf=$XDG_CONFIG_HOME/com/quorvane/vantor/Vantor.conf
packaged=$E2E_DIR/../../packaging/com.quorvane.Vantor.desktop
settings 'TimeZones="Europe/London;Asia/Tokyo"'
LABEL="Start when I log in?"

# The login row's entry, as a screen reader reads the form.
row() { form controls | awk -F'\t' -v l="$LABEL" '$1 == "combo box" && $3 == l { print $2 }'; }
row_is() { [[ $(row) == "$1" ]]; }
gone() { ! xdotool search --all --onlyvisible --pid "$VANTOR_PID" --name '^Settings$' >/dev/null 2>&1; }
absent() { [[ ! -e $entry ]]; }
focused_is() { [[ $(form focused) == "$1" ]]; }

# Opens Settings from the window's menu and waits for its focus and for the row to read $1.
open_settings() {
    menu_entry 2
    window_titled Settings >/dev/null
    wait_for 100 form focused || fail "nothing has the focus in Settings"
    wait_for 100 row_is "$1" || fail "the login row reads '$(row)', not '$1'"
}
close_settings() {
    xdotool key Escape
    wait_for 100 gone || fail "Settings did not close on Escape"
}
# Goes to the login row, the last control before Save and Cancel, and picks $1 (Up: Yes,
# Down: No) until it reads $2.
choose() {
    xdotool key --delay 60 shift+Tab shift+Tab shift+Tab
    wait_for 50 focused_is "combo box"$'\t'"$LABEL" || fail "the login row has no focus: $(form focused)"
    xdotool key "$1"
    wait_for 50 row_is "$2" || fail "$1 did not choose $2: '$(row)'"
}
save() {
    press Save
    wait_for 100 gone || fail "Save did not close Settings"
}
# The value of key $1 in the entry (file $2, the autostart entry by default).
value() { sed -n "s/^$1=//p" "${2:-$entry}"; }
validates() {
    local out
    out=$(desktop-file-validate "$entry" 2>&1) || fail "desktop-file-validate: $out"$'\n'"$(cat "$entry")"
    [[ -z $out ]] || fail "desktop-file-validate says: $out"$'\n'"$(cat "$entry")"
}
# Ends the program from its menu; it must end cleanly.
exit_vantor() {
    menu_entry 5
    expect_clean_exit "Exit"
}
# The same for a program the launcher started, which is no child of the test: its status
# cannot be known.
ended() { ! kill -0 "$VANTOR_PID" 2>/dev/null; }
exit_launched() {
    menu_entry 5
    wait_for 50 ended || fail "still running after Exit"
    VANTOR_PID=
}
# Starts the entry as a desktop does and waits for the program's window: it must be the
# program at $1. The program then is the one under test.
launch_entry() {
    local id pid
    gio launch "$entry" >>"$E2E_TMP/launched.out" 2>&1 || fail "gio launch: $(cat "$E2E_TMP/launched.out")"
    wait_for 200 xdotool search --onlyvisible --name '^Vantor$' || fail "no window after gio launch"
    for id in $(xdotool search --onlyvisible --name '^Vantor$'); do
        pid=$(xdotool getwindowpid "$id") && break
    done
    [[ $(readlink "/proc/$pid/exe") == "$1" ]] ||
        fail "the entry started $(readlink "/proc/$pid/exe"), not $1"
    VANTOR_PID=$pid
    main_window >/dev/null
}
# Keys of the settings file but the window's position, which Exit stores.
keys() { sed -n 's/^\([A-Za-z]*\)=.*/\1/p' "$conf" | grep -v '^MainWindowPos' | sort | paste -sd' '; }

echo "# a build in a folder whose name needs quoting in an Exec line"
odd="$E2E_TMP/it's \"my\" \$HOME \`x\` \\ (a;b)"
mkdir -p "$odd"
cp "$VANTOR_BIN" "$odd/vantor"
VANTOR_BIN=$odd/vantor
start_vantor
main_window >/dev/null
open_settings No
# The last two drop-downs: working hours shown, then the new row.
last=$(form controls | awk -F'\t' '$1 == "combo box" { print $3 }' | tail -2 | paste -sd'|')
[[ $last == "Show working hours?|$LABEL" ]] || fail "the last rows are $last"
choose Up Yes
[[ -e $entry ]] && fail "the entry was written before Save"
save
wait_for 100 test -f "$entry" || fail "Yes and Save wrote no entry"
validates
[[ $(value Type) == Application && $(value X-GNOME-Autostart-enabled) == true ]] ||
    fail "entry: $(cat "$entry")"
for key in Name Icon; do
    [[ $(value $key) == "$(value $key "$packaged")" ]] || fail "$key: $(value $key)"
done
grep -q '^Exec="' "$entry" || fail "the Exec line is not quoted: $(grep ^Exec "$entry")"
grep ^Exec= "$entry"
keys_after_save=$(keys)
grep -iE 'login|autostart|startat' "$conf" && fail "the settings file holds the choice"
exit_vantor
launch_entry "$odd/vantor"

echo "# the row shows the entry: Yes, and No once it is removed by hand"
open_settings Yes
close_settings
rm "$entry"
open_settings No

echo "# an entry edited by hand stays through a Save with Yes; No removes it"
choose Up Yes
save
wait_for 100 test -f "$entry" || fail "Yes and Save wrote no entry"
echo "# mine" >>"$entry"
cp "$entry" "$E2E_TMP/edited"
open_settings Yes
save
cmp "$entry" "$E2E_TMP/edited" || fail "Save with Yes rewrote the edited entry"
open_settings Yes
choose Down No
save
wait_for 100 absent || fail "No and Save left the entry"
[[ $(keys) == "$keys_after_save" ]] || fail "settings keys now $(keys), were $keys_after_save"

echo "# an entry that cannot be written: one line in the log, and the row reads No"
rmdir "$(dirname "$entry")"
touch "$(dirname "$entry")"
open_settings No
choose Up Yes
save
wait_for 100 grep -qF "Could not write $entry" "$E2E_TMP/launched.out" || fail "no word of the failed write"
open_settings No
close_settings
lines=$(grep -c "Could not write" "$E2E_TMP/launched.out")
((lines == 1)) || fail "$lines lines about the failed write"
rm "$(dirname "$entry")"

echo "# at rest after the dialog closed"
expect_idle "after Settings"
exit_launched

echo "# the installed program: started by its name, with the installed entry's name and icon"
prefix=$E2E_TMP/prefix
mkdir -p "$prefix/bin" "$prefix/share/applications"
cp "$E2E_DIR/../../packaging/com.quorvane.Vantor.desktop" "$prefix/share/applications/"
sed -i 's/^Name=.*/Name=Vantor Installed/' "$prefix/share/applications/com.quorvane.Vantor.desktop"
cp "$odd/vantor" "$prefix/bin/vantor"
export PATH=$prefix/bin:$PATH XDG_DATA_DIRS=$prefix/share:/usr/share
VANTOR_BIN=$prefix/bin/vantor
start_vantor
main_window >/dev/null
open_settings No
choose Up Yes
save
wait_for 100 test -f "$entry" || fail "Yes and Save wrote no entry"
validates
[[ $(value Exec) == vantor && $(value Name) == "Vantor Installed" &&
    $(value Icon) == "$(value Icon "$packaged")" ]] || fail "entry: $(cat "$entry")"
exit_vantor
launch_entry "$prefix/bin/vantor"
exit_launched
echo "PASS"
